// preview_host: shows the container's print preview of a small sample diagram, to look
// at and to print through the real print dialog (not shipped). The preview's settings
// are read from and kept in the registry as the container keeps them.
//
//   preview_host [--pages-down <n>]
#include "container/frm_print.h"
#include "platform/diagram/diagram_control.h"
#include "platform/diagram/print_preview.h"
#include "platform/runtime/app.h"

#include <QApplication>

int main(int argc, char** argv)
{
    using namespace ks;
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);   // the preview's unload ends it
    App::setTitle("Resources");

    diagram::DiagramControl plan;
    plan.resize(500, 400);
    const char* steps[] = {"Vision", "Goals", "Measures", "Actions", "Review"};
    diagram::Node* previous = nullptr;
    for (int i = 0; i < 5; ++i) {
        diagram::Node& node = plan.AddNode({1440.0 + i * 3600, 1440.0 + (i % 2) * 2880, 2880, 1440}, steps[i]);
        node.setFillColor(i % 2 ? 0xC0E0C0 : 0xE0C8A0);
        if (previous)
            plan.AddLink(*previous, node);
        previous = &node;
    }

    container::frmPrint& window = form<container::frmPrint>();
    window.setAF(&plan);
    window.PrnFlow1->setDiagram(&plan);
    window.PrnFlow1->Refresh();
    const QStringList args = QApplication::arguments();
    if (const qsizetype at = args.indexOf("--pages-down"); at >= 0 && at + 1 < args.size())
        window.tlbPint_ButtonMenuClick("DOWN", args[at + 1]);
    QObject::connect(&window, &QObject::destroyed, &app, &QApplication::quit);
    window.Show();
    return QApplication::exec();
}
