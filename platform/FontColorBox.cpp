#include "platform/FontColorBox.h"

#include <QPainter>
#include <QPixmap>

#include <array>

namespace {

struct NamedColor
{
    const char* name;
    TColor color;
};

// The sixteen colours of the Windows palette in the order the font dialog lists them.
const std::array<NamedColor, 16> standardColors = {{
    {"Černá", RGB(0, 0, 0)},
    {"Kaštanová", RGB(128, 0, 0)},
    {"Zelená", RGB(0, 128, 0)},
    {"Olivová", RGB(128, 128, 0)},
    {"Námořnická modrá", RGB(0, 0, 128)},
    {"Nachová", RGB(128, 0, 128)},
    {"Modrozelená", RGB(0, 128, 128)},
    {"Šedá", RGB(128, 128, 128)},
    {"Stříbrná", RGB(192, 192, 192)},
    {"Červená", RGB(255, 0, 0)},
    {"Limetková", RGB(0, 255, 0)},
    {"Žlutá", RGB(255, 255, 0)},
    {"Modrá", RGB(0, 0, 255)},
    {"Fuchsiová", RGB(255, 0, 255)},
    {"Vodová", RGB(0, 255, 255)},
    {"Bílá", RGB(255, 255, 255)},
}};

// A framed rectangle of the colour, drawn in front of its name.
QPixmap swatch(TColor color)
{
    QPixmap pixmap(24, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(SysColor(color));
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return pixmap;
}

bool isAutomatic(TColor color)
{
    return color == clWindowText || color == clDefault;
}

} // namespace

FontColorBox::FontColorBox(QWidget* parent) : QComboBox(parent)
{
    setIconSize(QSize(24, 12));
    addColor(QStringLiteral("Automatická"), clWindowText);
    for (const NamedColor& entry : standardColors)
        addColor(QString::fromUtf8(entry.name), entry.color);
}

void FontColorBox::addColor(const QString& name, TColor color)
{
    addItem(QIcon(swatch(color)), name, QVariant::fromValue(color));
}

void FontColorBox::setColor(TColor color)
{
    const TColor wanted = isAutomatic(color) ? clWindowText : color;
    const int known = findData(QVariant::fromValue(wanted));
    if (known >= 0) {
        setCurrentIndex(known);
        return;
    }
    if (m_customIndex < 0) {
        addColor(QStringLiteral("Vlastní"), color);
        m_customIndex = count() - 1;
    } else {
        setItemIcon(m_customIndex, QIcon(swatch(color)));
        setItemData(m_customIndex, QVariant::fromValue(color));
    }
    setCurrentIndex(m_customIndex);
}

TColor FontColorBox::color() const
{
    return currentData().value<TColor>();
}
