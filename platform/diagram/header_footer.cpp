#include "platform/diagram/header_footer.h"

#include "platform/diagram/twips_font.h"

#include <QPainter>

namespace ks::diagram {

QStringList headerFooterParts(const QString& text, int page)
{
    QString filled = text;
    filled.replace(QStringLiteral("<PAGE>"), QString::number(page), Qt::CaseInsensitive);
    QStringList parts = filled.split(QLatin1Char('|'));
    while (parts.size() < 3)
        parts.append(QString());
    while (parts.size() > 3)
        parts[2] += QLatin1Char('|') + parts.takeAt(3);
    return parts;
}

QFont headerFooterFont()
{
    return twipsFont(QFont(QStringLiteral("Arial"), 10));
}

void drawHeaderFooter(QPainter& painter, const QFont& font, const QRectF& band, const QString& text, int page)
{
    if (text.isEmpty())
        return;
    const QStringList parts = headerFooterParts(text, page);
    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(font);
    const Qt::Alignment sides[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    for (int i = 0; i < 3; ++i)
        if (!parts[i].isEmpty())
            painter.drawText(band, int(sides[i] | Qt::AlignVCenter), parts[i]);
    painter.restore();
}

}
