#include "app/t_form.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trefolia"));
    _Form = new T_Form;
    _Form->show();
    const int result = app.exec();
    delete _Form;
    return result;
}
