#include "app/t_form.h"

// Interim: level selection is being written.
void T_Form::Etap_Click(QWidget*) {}
void T_Form::tb_Warm_PlayClick() {}
