#include "app/splash.h"

// Interim: the real splash is being written.
T_Ue* _Ue = nullptr;

T_Ue::T_Ue(QWidget* parent) : QWidget(parent) {}
void T_Ue::t_UETimer() {}
