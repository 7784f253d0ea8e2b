#include "app/t_form.h"

// Interim: game set-up and the deal are being written.
void T_Form::BuildArrangements(quint16, QString, int) {}
void T_Form::PrepareGame(int) {}
void T_Form::DealShelves3() {}
void T_Form::DealShelves4() {}
