#include "platform/ui/failure.h"

#include "platform/ui/ui.h"

#include <algorithm>

namespace ks::ui {

void showFailure(const RuntimeError& error, const QString& caption, const QString& preface)
{
    const QString text = QString::fromStdString(error.handlerText());
    MsgBox(preface.isEmpty() ? text : preface + "\r\r" + text, OKOnly, caption);
}

void showFailureWithSource(const RuntimeError& error)
{
    setHourglass(false);
    MsgBox(QString::number(error.number()) + " " + QString::fromStdString(error.description()) + "\r\n"
           + QString::fromStdString(error.source()));
}

bool runStepShowingSource(const std::function<void()>& work)
{
    try {
        work();
        return true;
    } catch (const RuntimeError& e) {
        showFailureWithSource(e);
        return false;
    }
}

bool runStep(const QString& caption, const std::function<void()>& work, std::initializer_list<int> passSilently)
{
    try {
        work();
        return true;
    } catch (const RuntimeError& e) {
        if (std::find(passSilently.begin(), passSilently.end(), e.number()) == passSilently.end())
            showFailure(e, caption);
        return false;
    }
}

}
