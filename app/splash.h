#pragma once
// T_Ue, the opening splash: a borderless banner window above the main window
// that fades out by itself and takes no input.

#include <QWidget>

class T_Ue : public QWidget {
    Q_OBJECT
public:
    explicit T_Ue(QWidget* parent = nullptr);
    void t_UETimer();
};

extern T_Ue* _Ue;
