#include "container/module_procedures.h"

#include "common/dialogs.h"
#include "container/cls_paths.h"
#include "container/container_settings.h"
#include "platform/runtime/runtime_error.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QListWidget>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace ks::container {
namespace {

constexpr std::uint32_t kSaveFlags = 0x80806;   // explorer, path must exist, hide read-only, confirm overwrite
constexpr std::uint32_t kOpenFlags = 0x81004;   // explorer, file must exist, hide read-only

}

QString& rememberedDocumentFolder()
{
    static QString folder;
    return folder;
}

QString GetMapFile(bool save)
{
    return passingOn("GetMapFile", [&] {
        QString& folder = rememberedDocumentFolder();
        if (folder.isEmpty())
            folder = DefaultDocumentFolder();
        const QString filter = settings().map + " Files|*." + settings().ext + "|All Files|*.*";
        int filterIndex = 1;
        const QString path = save ? ShowSaveDialog(filter, settings().ext, folder, kSaveFlags, QApplication::activeWindow(), filterIndex)
                                  : ShowOpenDialog(filter, settings().ext, folder, kOpenFlags, QApplication::activeWindow(), filterIndex);
        if (!path.isEmpty())
            folder = path.left(path.lastIndexOf('/') + 1);
        return path;
    });
}

QString GetFileTitle(const QString& path, bool withExtension)
{
    return passingOn("GetFileTitle", [&] {
        const QString name = path.mid(path.lastIndexOf('/') + 1);
        const int dot = int(name.lastIndexOf('.'));
        return withExtension || dot < 0 ? name : name.left(dot);
    });
}

QString DefaultDocumentFolder() { return clsPaths().GetMyDocsPath(); }

QString GetTempFile(QString& prefix)
{
    return passingOn("GetTempFile", [&] {
        if (prefix.isEmpty())
            prefix = "ABC";
        QByteArray pattern = QFile::encodeName(QDir::tempPath() + '/' + prefix + "XXXXXX.tmp");
        const int made = ::mkstemps(pattern.data(), 4);
        if (made < 0)
            throw RuntimeError(75, std::string("Path/File access error: ") + std::strerror(errno));
        ::close(made);
        return QFile::decodeName(pattern);
    });
}

int DoFindIndex(const QComboBox& list, qint32 value)
{
    return passingOn("DoFindIndex", [&] {
        for (int i = 0; i < list.count(); ++i)
            if (list.itemData(i).toInt() == value)
                return i;
        return -1;
    });
}

int DoFindIndex(const QListWidget& list, qint32 value)
{
    return passingOn("DoFindIndex", [&] {
        for (int i = 0; i < list.count(); ++i)
            if (list.item(i)->data(Qt::UserRole).toInt() == value)
                return i;
        return -1;
    });
}

void DoSetIndex(QComboBox& list, qint32 value)
{
    passingOn("DoSetIndex", [&] { list.setCurrentIndex(DoFindIndex(list, value)); });
}

void DoSetIndex(QListWidget& list, qint32 value)
{
    passingOn("DoSetIndex", [&] { list.setCurrentRow(DoFindIndex(list, value)); });
}

}
