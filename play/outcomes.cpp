#include "app/t_form.h"

// Interim: outcomes and the round clock are being written.
void T_Form::ApplyGameState(int, QWidget*) {}
void T_Form::t_GameTimer() {}
void T_Form::setRoundClock(int) {}
