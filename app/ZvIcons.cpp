#include "app/ZvIcons.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace {

bool drawable(const QIcon& icon)
{
    return !icon.isNull() && !icon.pixmap(16, 16).isNull();
}

} // namespace

void ZvEnsureIconTheme()
{
    static bool settled = false;
    if (settled)
        return;
    settled = true;
    if (drawable(QIcon::fromTheme(QStringLiteral("document-new"))))
        return;
    QIcon::setThemeName(QStringLiteral("breeze"));
}

QIcon ZvIcon(const QString& themeName, const QString& glyph, const QColor& color)
{
    ZvEnsureIconTheme();
    const QIcon themed = QIcon::fromTheme(themeName);
    if (drawable(themed))
        return themed;
    return ZvDrawnIcon(glyph, color);
}

QIcon ZvDrawnIcon(const QString& glyph, const QColor& color)
{
    QIcon icon;
    for (int size : {16, 22}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QColor(150, 150, 150));
        painter.setBrush(QColor(250, 250, 245));
        painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), 3, 3);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(glyph.size() > 1 ? size * 5 / 11 : size * 3 / 4);
        painter.setFont(font);
        painter.setPen(color);
        painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, glyph);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
