// editor_host: opens one file in an editor window on screen, to look at what the editor
// library and the HTML add-on build from it (not shipped). RTF is read by the editor
// library; .htm/.html files by the add-on (libplx32.so), frames and form controls included.
//
//   editor_host <file> [--size <width>x<height>] [--shot <png>] [--save <file>]
//
// Without --shot or --save the window stays open: Ctrl+S saves the document back to the
// file it came from (in the same format), Ctrl+P prints it, F5 switches the view mode
// (read-only, links live) on and off. --save writes it to another
// file and --shot paints the window into a PNG; either ends the program without showing it.
#include "addon/core/menu_ids.h"
#include "addon/core/plx32.h"
#include "platform/editor/vek32.h"
#include "platform/editor/view/editor_view.h"
#include "platform/win/qt_dialog_boxes.h"
#include "platform/win/qt_user_dialogs.h"

#include <QApplication>
#include <QFileInfo>
#include <QShortcut>

#include <cstdio>
#include <string>

namespace {

struct Options {
    QString file, shot, saveAs;
    QSize size{800, 600};
};

bool isHtml(const QString& file)
{
    QString suffix = QFileInfo(file).suffix().toLower();
    return suffix == "htm" || suffix == "html";
}

bool parse(const QStringList& args, Options& o)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        bool hasValue = i + 1 < args.size();
        if (a == "--shot" && hasValue)
            o.shot = args[++i];
        else if (a == "--save" && hasValue)
            o.saveAs = args[++i];
        else if (a == "--size" && hasValue) {
            QStringList wh = args[++i].split('x');
            if (wh.size() != 2 || wh[0].toInt() < 50 || wh[1].toInt() < 50)
                return false;
            o.size = QSize(wh[0].toInt(), wh[1].toInt());
        } else if (o.file.isEmpty() && !a.startsWith("--"))
            o.file = a;
        else
            return false;
    }
    return !o.file.isEmpty();
}

bool open(HWND h, const QString& file)
{
    std::string path = file.toStdString();
    return isHtml(file) ? PlxRead(h, 0, path.c_str(), nullptr, 0, nullptr) == 1 : EditorOpenRtf(h, path.c_str()) != 0;
}

bool save(HWND h, const QString& file)
{
    std::string path = file.toStdString();
    bool ok = isHtml(file) ? PlxWrite(h, 0, path.c_str(), nullptr, nullptr, 0) != 0
                           : EditorSaveRtf(h, 3) != 0 && EditorSaveRtfEnd(h, path.c_str()) != 0;
    std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "saved" : "editor_host: could not save", path.c_str());
    return ok;
}

}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Options o;
    if (!parse(app.arguments(), o)) {
        std::fprintf(stderr, "usage: editor_host <file> [--size <width>x<height>] [--shot <png>] [--save <file>]\n");
        return 2;
    }
    ks::win::useUiDialogs();
    ks::win::useQtDialogBoxes();
    auto* view = ks::editor::view::EditorView::create(nullptr);
    HWND h = view->handle();
    PlxSetBkColor(0xFFFFFF);   // white behind a page without a colour of its own, where the add-on's default is grey
    if (!PlxInitialize(h, nullptr) || !open(h, o.file)) {
        std::fprintf(stderr, "editor_host: could not open %s\n", o.file.toLocal8Bit().constData());
        delete view;
        return 1;
    }
    view->setWindowTitle(QFileInfo(o.file).fileName() + " - editor_host");
    view->resize(o.size);
    int result = 0;
    if (!o.saveAs.isEmpty() && !save(h, o.saveAs))
        result = 1;
    if (!o.shot.isEmpty()) {
        view->show();
        QApplication::processEvents();
        if (!view->grab().save(o.shot)) {
            std::fprintf(stderr, "editor_host: could not write %s\n", o.shot.toLocal8Bit().constData());
            result = 1;
        }
    }
    if (!o.saveAs.isEmpty() || !o.shot.isEmpty()) {
        delete view;
        return result;
    }
    QObject::connect(new QShortcut(QKeySequence::Save, view), &QShortcut::activated, view, [h, &o] { save(h, o.file); });
    QObject::connect(new QShortcut(QKeySequence::Print, view), &QShortcut::activated, view, [h] { VekPrint(h); });
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_F5), view), &QShortcut::activated, view, [h, view, &o] {
        PlxCommand(h, PlxInViewMode(h) ? ks::addon::menu::kLeaveViewMode : ks::addon::menu::kEnterViewMode);
        const QString mode = PlxInViewMode(h) ? QStringLiteral(" (view mode)") : QString();
        view->setWindowTitle(QFileInfo(o.file).fileName() + mode + " - editor_host");
    });
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->show();
    return app.exec();
}
