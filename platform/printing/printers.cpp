#include "platform/printing/printers.h"

#include <QCoreApplication>
#include <QDir>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace ks::printing {
namespace {

Printer firstPrinter()
{
    const QPrinterInfo preferred = QPrinterInfo::defaultPrinter();
    if (!preferred.isNull())
        return Printer(preferred);
    const QList<QPrinterInfo> installed = QPrinterInfo::availablePrinters();
    if (!installed.isEmpty())
        return Printer(installed.front());
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString name = QCoreApplication::applicationName().isEmpty() ? QStringLiteral("print")
                                                                       : QCoreApplication::applicationName();
    return Printer(QDir(folder.isEmpty() ? QDir::homePath() : folder).filePath(name + ".pdf"));
}

void releaseCurrent();

// The printer's device goes before the application object: printing plug-ins may not
// outlive it.
std::unique_ptr<Printer>& current()
{
    static std::unique_ptr<Printer> printer;
    static const bool releasedAtExit = [] {
        if (QCoreApplication::instance())
            qAddPostRoutine(releaseCurrent);
        return true;
    }();
    (void)releasedAtExit;
    return printer;
}

void releaseCurrent() { current().reset(); }

}

std::vector<Printer> Printers()
{
    std::vector<Printer> printers;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
        printers.emplace_back(info);
    return printers;
}

Printer& CurrentPrinter()
{
    if (!current())
        current() = std::make_unique<Printer>(firstPrinter());
    return *current();
}

void SetCurrentPrinter(const Printer& printer)
{
    if (current())
        *current() = printer;
    else
        current() = std::make_unique<Printer>(printer);
}

int lastNamed(const QStringList& names, const QString& name)
{
    int found = -1;
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            found = i;
    return found;
}

}
