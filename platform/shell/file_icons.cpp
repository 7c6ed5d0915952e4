#include "platform/shell/file_icons.h"

#include <QApplication>
#include <QHash>
#include <QMimeDatabase>
#include <QStyle>

namespace ks::shell {
namespace {

// A session without a desktop names no icon theme; the common one stands in.
void chooseThemeOnce()
{
    static const bool chosen = [] {
        if (QIcon::fallbackThemeName().isEmpty() || QIcon::fallbackThemeName() == QLatin1String("hicolor"))
            QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
        return true;
    }();
    (void)chosen;
}

QIcon genericFileIcon()
{
    QIcon icon = QIcon::fromTheme(QStringLiteral("text-x-generic"));
    if (icon.isNull() && qApp)
        icon = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    return icon;
}

QIcon iconOfType(const QMimeType& type)
{
    for (const QString& name : {type.iconName(), type.genericIconName()}) {
        QIcon icon = QIcon::fromTheme(name);
        if (!icon.isNull())
            return icon;
    }
    return genericFileIcon();
}

}

QIcon associatedIcon(const QString& path)
{
    chooseThemeOnce();
    // By the name alone: the list of a large folder must not read every file.
    static const QMimeDatabase types;
    static QHash<QString, QIcon> byType;
    const QMimeType type = types.mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    auto found = byType.find(type.name());
    if (found == byType.end())
        found = byType.insert(type.name(), iconOfType(type));
    return *found;
}

}
