#include "support/test_support.h"

BoxRecorder::BoxRecorder(bool a) : answer(a)
{
    Dialogs::setResponder([this](const Dialogs::Box& box) {
        boxes.append(box);
        if (whileOpen)
            whileOpen(box);
        return answer;
    });
}

BoxRecorder::~BoxRecorder()
{
    Dialogs::setResponder({});
}
