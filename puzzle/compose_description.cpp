#include "app/t_form.h"

// Interim: the description composer is being written.
void T_Form::ComposeDescription(int) {}
