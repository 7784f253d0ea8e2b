#include "app/t_form.h"

// Interim: the window layout is being written.
void T_Form::buildLayout() {}
void T_Form::connectHandlers() {}
