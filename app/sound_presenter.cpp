#include "app/t_form.h"

// Interim: sound, badge hints and presenter mode are being written.
void T_Form::tb_Sound_Click() {}
void T_Form::PlayCue(int) {}
void T_Form::i_Projekt_MouseDown(QWidget*, Qt::MouseButton, ShiftState, int, int) {}
void T_Form::i_Projekt_MouseUp(QWidget*, Qt::MouseButton, ShiftState, int, int) {}
void T_Form::i_Projekt_MouseMove(QWidget*, ShiftState, int, int) {}
void T_Form::i_Projekt_MouseLeave(QWidget*) {}
void T_Form::i_LogoClick() {}
