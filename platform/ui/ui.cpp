#include "platform/ui/ui.h"

#include "platform/runtime/app.h"
#include "platform/ui/qt_backend.h"

#include <QFileInfo>

namespace ks::ui {
namespace {

Backend* g_installed = nullptr;
bool g_hourglass = false;

}

std::optional<Answer> cancelAnswerOf(int buttons)
{
    switch (buttons) {
    case OKOnly: return OK;
    case OKCancel:
    case YesNoCancel:
    case RetryCancel: return Cancel;
    case AbortRetryIgnore: return Abort;
    default: return std::nullopt;   // Yes/No has no way out but an answer
    }
}

QStringList nameFiltersOf(const QString& filter)
{
    QStringList parts = filter.split('|');
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        const QString shown = " (" + patterns + ")";
        result << (parts[i].endsWith(shown) ? parts[i] : parts[i] + shown);
    }
    return result;
}

QString withDefaultExtension(const QString& path, const QString& defaultExt)
{
    if (path.isEmpty() || defaultExt.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + "." + defaultExt;
}

QStringList patternsOf(const QString& filter, int filterIndex)
{
    QStringList parts = filter.split('|');
    int at = (filterIndex - 1) * 2 + 1;
    if (filterIndex < 1 || at >= parts.size())
        return {};
    return parts[at].split(';', Qt::SkipEmptyParts);
}

Backend& backend()
{
    if (g_installed)
        return *g_installed;
    static QtBackend qtBackend;
    return qtBackend;
}

void setBackend(Backend* b) { g_installed = b; }

Answer MsgBox(const QString& text, int style, const QString& caption)
{
    MessageBoxRequest request;
    request.text = text;
    request.caption = caption.isEmpty() ? App::title() : caption;
    request.buttons = buttonsOf(style);
    request.icon = iconOf(style);
    return backend().messageBox(request);
}

QString InputBox(const QString& prompt, const QString& caption, const QString& defaultText)
{
    InputBoxRequest request{prompt, caption.isEmpty() ? App::title() : caption, defaultText};
    return backend().inputBox(request).value_or(QString());
}

void Beep() { backend().beep(); }

void setHourglass(bool on)
{
    if (on == g_hourglass)
        return;
    g_hourglass = on;
    backend().setHourglass(on);
}

bool hourglass() { return g_hourglass; }

QString displayText(const QString& text)
{
    QString t = text;
    t.replace("\r\n", "\n");
    t.replace('\r', '\n');
    return t;
}

}
