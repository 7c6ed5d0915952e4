// Writes the container's program-folder files that are not text: its help
// document, the guide of the "Getting Started" group and the splash picture.
#include "platform/files/files.h"
#include "tools/manuals/pdf_document.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <cstdio>

using ks::tools::writePdf;

namespace {

// A blue field with a light band, a page of notes and a play mark; the
// program writes its title, version and notice over the lower half.
bool writeSplash(const QString& path)
{
    QImage picture(480, 300, QImage::Format_RGB32);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 300);
    sky.setColorAt(0, QColor(0x2b, 0x6c, 0xa8));
    sky.setColorAt(1, QColor(0x12, 0x30, 0x4d));
    p.fillRect(picture.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawRect(0, 136, 480, 4);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(380, 24, 72, 92), 6, 6);
    p.setPen(QPen(QColor(0x9c, 0xb4, 0xcc), 4));
    for (int y = 80; y <= 104; y += 12)
        p.drawLine(392, y, 440, y);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd0, 0x5a, 0x1c));
    const QPointF play[] = {{402, 36}, {430, 52}, {402, 68}};
    p.drawPolygon(play, 3);
    p.end();

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "JPEG", 90))
        return false;
    const ks::files::Outcome saved = ks::files::saveFile(path.toStdString(), bytes.toStdString());
    if (!saved)
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), saved.reason.c_str());
    return bool(saved);
}

}

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_container_files <program folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const bool ok =
        writePdf(folder + "/help.pdf",
                 "<h1>Orvantis Resources</h1>"
                 "<p>Your training videos, guides and templates, with your own notes beside each video.</p>"
                 "<h2>The list on the left</h2><p>Each group is a folder of the program's Templates folder. Click a "
                 "group to open it, then click an item: a video plays in the video window while its notes open on "
                 "the right; any other file opens with the program your desktop uses for it.</p>"
                 "<h2>Your notes</h2><p>The first time you play a video, a page of notes is made for it from the "
                 "notes template, with the video's name, the date and the file it is kept in. Type what you want to "
                 "keep; your notes are saved when you pick the next item, with File &gt; Save, or when you close "
                 "the window. File &gt; Save As keeps a copy under another name.</p>"
                 "<h2>Windows</h2><p>Each document opens in its own window. Close the last window to end the "
                 "program.</p>",
                 "Orvantis Resources")
        && writePdf(folder + "/Templates/Getting Started/Quick guide.pdf",
                    "<h1>Quick guide</h1>"
                    "<ol><li>Open <b>Getting Started</b> on the left.</li>"
                    "<li>Click <b>Welcome to your resources</b>: the video plays and a page of notes opens.</li>"
                    "<li>Type a note. Click the next video: your note is saved, and the next video's notes open.</li>"
                    "<li>Come back to the first video: your note is there.</li>"
                    "<li>Guides and checklists open in the program your desktop uses for them.</li></ol>",
                    "Quick guide")
        && writeSplash(folder + "/Splash.jpg");
    return ok ? 0 : 1;
}
