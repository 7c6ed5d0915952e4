#include "platform/controls/splitter.h"

#include "platform/controls/control_errors.h"
#include "platform/runtime/events.h"

#include <QVBoxLayout>

namespace ks::controls {
namespace {

QWidget* newPane(const QString& name)
{
    auto* pane = new QWidget;
    pane->setObjectName(name);
    auto* fill = new QVBoxLayout(pane);
    fill->setContentsMargins(0, 0, 0, 0);
    return pane;
}

}

Splitter::Splitter(Qt::Orientation orientation, QWidget* parent)
    : QSplitter(orientation, parent), paneA_(newPane("Pane A")), paneB_(newPane("Pane B"))
{
    addWidget(paneA_);
    addWidget(paneB_);
    setChildrenCollapsible(false);
    setStretchFactor(1, 1);
}

QWidget* Splitter::Pane(const QString& name) const
{
    if (name == paneA_->objectName())
        return paneA_;
    if (name == paneB_->objectName())
        return paneB_;
    return nullptr;
}

void Splitter::setPaneContent(const QString& name, QWidget* content)
{
    if (QWidget* pane = Pane(name))
        pane->layout()->addWidget(content);
}

void Splitter::Move(double left, double top, double width, double height)
{
    if (width < 0 || height < 0)
        throw controlError(kInvalidPropertyValue, QStringLiteral("Invalid property value"));
    setGeometry(twipsToPixelsX(left), twipsToPixelsY(top), twipsToPixelsX(width), twipsToPixelsY(height));
}

}
