#include "container/container_settings.h"

#include "common/paths.h"
#include "common/settings.h"
#include "platform/runtime/app.h"
#include "platform/runtime/runtime_error.h"

#include <QRegularExpression>

namespace ks::container {
namespace {

struct Reader {
    const SettingsDocument& document;
    QString text(const char* key) const { return GetXMLNodeText(QString::fromLatin1(key), document); }
    bool flag(const char* key) const { return leadingNumber(text(key)) != 0; }
    double real(const char* key) const { return leadingNumber(text(key)); }
};

ExportFont readFont(const Reader& read, const QString& section, bool boldIsText)
{
    auto key = [&](const char* name) { return (section + name).toLatin1(); };
    ExportFont font;
    font.bold = boldIsText ? flagText(read.text(key("BOLD"))) : read.flag(key("BOLD"));
    font.italic = read.flag(key("ITALIC"));
    font.underline = read.flag(key("UNDERLINE"));
    font.size = read.real(key("SIZE"));
    font.font = read.text(key("FONT"));
    return font;
}

}

ContainerSettings& settings()
{
    static ContainerSettings values;
    return values;
}

double leadingNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral(R"(^\s*([+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?))"));
    const QRegularExpressionMatch found = number.match(text);
    return found.hasMatch() ? found.captured(1).toDouble() : 0;
}

bool flagText(const QString& text)
{
    const QString word = text.trimmed();
    if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    return leadingNumber(word) != 0 && word.compare(QLatin1String("False"), Qt::CaseInsensitive) != 0;
}

void LoadSettings()
{
    passingOn("LoadSettings", [] {
        SettingsDocument document;
        if (!LoadSettingsDocument(ProgramFile(kSettingsFileName), document))
            return;
        const Reader read{document};
        ContainerSettings& s = settings();
        s.title = read.text("TITLE");
        s.slice = read.text("SLICE");
        s.appDescription = read.text("APPDESCRIPTION");
        s.map = read.text("MAP");
        s.ext = read.text("EXT");
        s.templateEnding = read.text("TEMPLATE");
        s.node = read.text("NODE");
        s.link = read.text("LINK");
        s.flat = read.text("FLAT");
        s.flatExt = read.text("FLATEXT");
        s.author = read.flag("AUTHOR");
        s.memoryText = read.text("MEMORYTEXT").replace(QLatin1String("/n"), QLatin1String("\r\n"));
        if (const int memory = int(read.real("MEMORY")))
            s.memory = memory;
        s.exportFont = readFont(read, QStringLiteral("EXPORT/"), false);
        // Written as a word or a number; one that is neither reads as false.
        s.header = readFont(read, QStringLiteral("EXPORT/HEADER/"), true);
        s.data = readFont(read, QStringLiteral("EXPORT/DATA/"), false);
        App::setTitle(s.title);
    });
}

}
