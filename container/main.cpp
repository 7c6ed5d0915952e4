// container: the document container program.
#include "container/exception_filter.h"
#include "container/main_mod.h"
#include "container/program_info_values.h"
#include "platform/runtime/app.h"
#include "platform/runtime/form.h"

#include <QApplication>

int main(int argc, char** argv)
{
    using namespace ks;
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);   // the forms decide when the program ends
    App::setExeName("container");
    App::setVersion(container::program_info::kMajor, container::program_info::kMinor,
                    container::program_info::kRevision);
    App::setDescriptions(QString::fromUtf8(container::program_info::kDescription),
                         QString::fromUtf8(container::program_info::kLegalNotice), QString());
    if (container::ReportFaultIfAsked())
        return 1;

    QStringList args = QApplication::arguments();
    args.removeFirst();
    container::setCommandLine(args.join(' '));

    container::Main();
    Form::setEntryReturned();
    return Form::loadedCount() == 0 ? 0 : QApplication::exec();
}
