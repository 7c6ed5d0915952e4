#include "platform/printing/pdf_output.h"

#include <QFile>
#include <QPrinter>
#include <QScopeGuard>

#include <cerrno>

namespace ks::printing {
namespace {

constexpr qint64 kTrailerWindow = 32;   // "%%EOF" and the line end or blanks after it

bool endsWithTrailer(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < kTrailerWindow)
        return false;
    file.seek(file.size() - kTrailerWindow);
    return file.read(kTrailerWindow).trimmed().endsWith("%%EOF");
}

// Carries a job's failure out of the atomic save's writer, which then drops its temporary.
struct Unfinished {
    files::Outcome outcome;
};

}

files::Outcome printWhole(QPrinter& printer, const std::function<bool()>& job)
{
    const QString target = printer.outputFileName();
    if (printer.outputFormat() != QPrinter::PdfFormat || target.isEmpty())
        return job() ? files::Outcome{} : files::Outcome::failure(EIO, "the printer could not print");
    const auto restore = qScopeGuard([&] { printer.setOutputFileName(target); });
    try {
        return files::saveFileWith(target.toStdString(), [&](const std::string& temp) {
            const QString tempPath = QString::fromStdString(temp);
            printer.setOutputFileName(tempPath);
            if (!job())
                throw Unfinished{files::Outcome::failure(EIO, "the file could not be written")};
            if (!endsWithTrailer(tempPath))
                throw Unfinished{files::Outcome::failure(ENOSPC, "the file could not be written whole")};
        });
    } catch (const Unfinished& failed) {
        return failed.outcome;
    }
}

}
