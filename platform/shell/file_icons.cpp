#include "platform/shell/file_icons.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QStyle>

namespace ks::shell {
namespace {

// A session without a desktop names no icon theme, and an offscreen one
// does not even look in the system's icon folders: the common theme stands in.
void chooseThemeOnce()
{
    static const bool chosen = [] {
        QStringList paths = QIcon::themeSearchPaths();
        QStringList data = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
        data << QStringLiteral("/usr/share");   // the freedesktop default, also when XDG_DATA_DIRS names others
        for (const QString& folder : data)
            if (!paths.contains(folder + "/icons"))
                paths << folder + "/icons";
        QIcon::setThemeSearchPaths(paths);
        if (QIcon::fallbackThemeName().isEmpty() || QIcon::fallbackThemeName() == QLatin1String("hicolor"))
            QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
        // The freedesktop default where none is named; looks made before are forgotten.
        QIcon::setThemeName(QIcon::themeName().isEmpty() ? QStringLiteral("hicolor") : QIcon::themeName());
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

// The icon of a file's type, shared by all files of the type.
QIcon iconOfFile(const QString& path)
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

// Finds the file's type when the icon is first drawn or measured: a list of 50,000 files
// then looks up the few types on screen, not every file's name among the desktop's patterns.
class TypeIconEngine : public QIconEngine {
public:
    explicit TypeIconEngine(QString path) : path_(std::move(path)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    QString iconName() override { return icon().name(); }
    bool isNull() override { return icon().isNull(); }
    QString key() const override { return QStringLiteral("ks-file-type"); }
    QIconEngine* clone() const override { return new TypeIconEngine(*this); }

private:
    const QIcon& icon()
    {
        if (!resolved_) {
            icon_ = iconOfFile(path_);
            resolved_ = true;
        }
        return icon_;
    }

    QString path_;
    QIcon icon_;
    bool resolved_ = false;
};

}

QIcon associatedIcon(const QString& path)
{
    return QIcon(new TypeIconEngine(path));
}

}
