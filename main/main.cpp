// kestrune: the scorecard program.
#include "main/main_mod.h"
#include "main/program_info.h"
#include "platform/runtime/form.h"

#include <QApplication>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);   // the forms decide when the program ends
    ks::SetProgramInfo();

    QStringList args = QApplication::arguments();
    args.removeFirst();
    ks::setCommandLine(args.join(' '));

    ks::Main();
    ks::Form::setEntryReturned();
    return ks::Form::loadedCount() == 0 ? 0 : QApplication::exec();
}
