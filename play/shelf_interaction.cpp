#include "app/t_form.h"

// Interim: shelf interaction is being written.
void T_Form::sb_Mode_Click(QWidget*) {}
void T_Form::p_Nr_MouseDown(QWidget*, Qt::MouseButton, ShiftState, int, int) {}
void T_Form::i_MouseDown(QWidget*, Qt::MouseButton, ShiftState, int, int) {}
void T_Form::sb_DeleteClick() {}
