#include "app/t_form.h"

// Interim: the window's displays are being written.
void T_Form::_HelpClick() {}
void T_Form::HideResultClick() {}
void T_Form::ShowResults() {}
void T_Form::UpdateWarmPlayHint() {}
