#include "widgets/TZvFlatMenuPainter.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int separatorHeight = 4;
constexpr int barShadowWidth = 7; // the strip right of an open menu-bar item
constexpr int hoverShortening = 7;
constexpr int captionIndent = 3;
constexpr int shortcutMargin = 10;
constexpr int separatorIndent = 7;
constexpr int imageTop = 3;

// Channel average plus `grayLevel`, at most 240, then lightened by 40 per cent.
QImage greyed(const QImage& source, int grayLevel)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            const int grey = std::min((qRed(pixel) + qGreen(pixel) + qBlue(pixel)) / 3 + grayLevel, 240);
            const QColor light = Lighten(QColor(grey, grey, grey), 40);
            line[x] = qRgba(light.red(), light.green(), light.blue(), qAlpha(pixel));
        }
    }
    return image;
}

QImage lightened(const QImage& source, int percent)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QColor light = Lighten(QColor(line[x]), percent);
            line[x] = qRgba(light.red(), light.green(), light.blue(), qAlpha(line[x]));
        }
    }
    return image;
}

// The image's shape in one colour, for the shadow under a selected item's image.
QImage silhouette(const QImage& source, const QColor& color)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgba(color.red(), color.green(), color.blue(), qAlpha(line[x]));
    }
    return image;
}

void fillFramed(QPainter& painter, const QRect& rect, const QColor& fill, const QColor& border)
{
    painter.fillRect(rect, fill);
    painter.setPen(border);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

bool isLight(const QColor& color)
{
    return (color.red() + color.blue()) / 2 > 150 || color.green() > 200;
}

QString captionOf(const TZvFlatMenuItem& item)
{
    return QLatin1Char(' ') + item.caption;
}

} // namespace

void drawStroke(QPainter& painter, QPoint from, QPoint to)
{
    const int dx = std::abs(to.x() - from.x());
    const int dy = std::abs(to.y() - from.y());
    const int steps = std::max(dx, dy);
    for (int step = 0; step < steps; ++step) {
        const int x = from.x() + int(std::lround(double(to.x() - from.x()) * step / steps));
        const int y = from.y() + int(std::lround(double(to.y() - from.y()) * step / steps));
        painter.drawPoint(x, y);
    }
}

void drawFlatTick(QPainter& painter, const QRect& box, const QColor& color)
{
    const int left = box.left();
    const int top = box.top();
    const int right = box.left() + box.width();
    const int bottom = box.top() + box.height();
    painter.setPen(color);
    drawStroke(painter, {left + 1, top + 5}, {left + 4, bottom - 2});
    drawStroke(painter, {left + 2, top + 5}, {left + 4, bottom - 3});
    drawStroke(painter, {left + 2, top + 4}, {left + 5, bottom - 3});
    drawStroke(painter, {left + 4, bottom - 3}, {right + 2, top - 1});
    drawStroke(painter, {left + 4, bottom - 2}, {right - 2, top + 3});
}

TZvFlatMenuPainter::TZvFlatMenuPainter(const TZvFlatMenuProperties& properties, ColorDepth depth)
    : m_properties(properties), m_depth(depth), m_colors(TZvFlatMenuColors::derive(properties, depth))
{
}

QSize TZvFlatMenuPainter::measure(const TZvFlatMenuItem& item, QSize proposed) const
{
    if (item.isSeparator())
        return {std::max(proposed.width(), 0), std::max(proposed.height(), separatorHeight)};
    const QFontMetrics metrics(m_properties.Font);
    QString text = item.caption + QStringLiteral("WWW") + item.shortcut;
    int width = metrics.horizontalAdvance(text) + 5;
    if (item.caption.contains(u'&'))
        width -= metrics.horizontalAdvance(QLatin1Char('&'));
    const bool belowBar = item.place == MenuItemPlace::BelowBar;
    if (belowBar && item.hasSubMenu)
        width += 6;
    const int imageWidth = item.image.isNull() ? 0 : item.image.width();
    width += belowBar ? std::max(imageWidth, m_properties.IconWidth) : imageWidth;
    const int textHeight = metrics.height();
    int height = textHeight + int(std::lround(0.75 * textHeight));
    if (!item.image.isNull())
        height = std::max(height, item.image.height() + 6);
    return {std::max(proposed.width(), width), std::max(proposed.height(), height)};
}

int TZvFlatMenuPainter::textLeft(const TZvFlatMenuItem& item) const
{
    if (item.place == MenuItemPlace::OnBar)
        return 4;
    const int imageWidth = item.image.isNull() ? 0 : item.image.width();
    return imageWidth > m_properties.IconWidth ? imageWidth + 4 : m_properties.IconWidth;
}

QRect TZvFlatMenuPainter::indicatorBox(const TZvFlatMenuItem& item, int height) const
{
    if (!item.image.isNull())
        return QRect(QPoint(1, 2), QPoint(m_properties.IconWidth - 3 - 1, height - 2 - 1));
    return QRect((m_properties.IconWidth - 10) / 2, (height - 10) / 2, 10, 10);
}

void TZvFlatMenuPainter::paint(QPainter& painter, const QRect& rect, const TZvFlatMenuItem& item) const
{
    painter.drawImage(rect.topLeft(), render(item, rect.size()));
}

QImage TZvFlatMenuPainter::render(const TZvFlatMenuItem& item, QSize size) const
{
    QImage image(size, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        paintBackground(painter, size, item);
        paintSelection(painter, size, item);
        if (item.place == MenuItemPlace::BelowBar) {
            paintIndicator(painter, size.height(), item);
            paintImage(painter, item);
        }
        if (item.isSeparator()) {
            painter.setPen(m_colors.separator);
            painter.drawLine(textLeft(item) + separatorIndent, size.height() / 2, size.width() - 1,
                             size.height() / 2);
        }
    }
    // From right to left the whole item is mirrored; the texts are then
    // written in the mirrored places, so that they still read forwards.
    if (item.direction == Qt::RightToLeft)
        image = image.mirrored(true, false);
    if (!item.isSeparator())
        paintTexts(image, item);
    return image;
}

void TZvFlatMenuPainter::paintBackground(QPainter& painter, QSize size, const TZvFlatMenuItem& item) const
{
    const QRect whole(QPoint(0, 0), size);
    if (item.place == MenuItemPlace::OnBar) {
        painter.fillRect(whole,
                         m_properties.DrawMenuBar ? SysColor(m_properties.MenuBarColor) : m_colors.menuBar);
        return;
    }
    if (m_depth == ColorDepth::High && m_properties.Gradient) {
        int shade = 0;
        for (int x = 0; x < size.width(); ++x) {
            shade = std::min(shade + (x > 0 && x < m_properties.IconWidth + 5 ? 3 : 1), 96);
            painter.fillRect(x, 0, 1, size.height(), Lighten(m_colors.iconColumn, shade));
        }
        return;
    }
    painter.fillRect(whole, m_colors.menuBackground);
    painter.fillRect(0, 0, m_properties.IconWidth, size.height(), m_colors.iconColumn);
}

void TZvFlatMenuPainter::paintSelection(QPainter& painter, QSize size, const TZvFlatMenuItem& item) const
{
    if (item.place == MenuItemPlace::OnBar) {
        if (item.selected && m_properties.DrawSelect) {
            paintBarSelection(painter, size);
            return;
        }
        if (item.hovered && item.enabled && !item.selected)
            fillFramed(painter, QRect(0, 0, size.width() - hoverShortening, size.height()),
                       m_colors.selectionFill, m_colors.selectionBorder);
        return;
    }
    if (!item.selected || !m_properties.DrawSelect || !item.enabled || item.isSeparator())
        return;
    const int width = m_properties.FlatMenu ? size.width() - 1 : size.width();
    fillFramed(painter, QRect(0, 1, width, size.height() - 2), m_colors.selectionFill,
               m_colors.selectionBorder);
}

void TZvFlatMenuPainter::paintBarSelection(QPainter& painter, QSize size) const
{
    const QColor bar = m_properties.DrawMenuBar ? SysColor(m_properties.MenuBarColor) : m_colors.menuBar;
    if (m_depth == ColorDepth::Low) {
        // A plain frame with a hard two-pixel shadow.
        fillFramed(painter, QRect(0, 0, size.width() - 2, size.height()), m_colors.selectionFill,
                   m_colors.selectionBorder);
        painter.fillRect(size.width() - 2, 2, 2, size.height() - 2, Darken(bar, 70));
        return;
    }
    // The box is open at the bottom, where the popup menu continues it.
    const int boxRight = size.width() - barShadowWidth - 1;
    painter.fillRect(0, 0, boxRight + 1, size.height(), m_colors.selectionFill);
    painter.setPen(m_colors.selectionBorder);
    painter.drawLine(0, 0, boxRight, 0);
    painter.drawLine(0, 0, 0, size.height() - 1);
    painter.drawLine(boxRight, 0, boxRight, size.height() - 1);
    const int strip = boxRight + 1;
    painter.fillRect(strip, 0, 7, size.height(), Darken(bar, 10));
    painter.fillRect(strip, 3, 5, size.height() - 3, Darken(bar, 30));
    painter.fillRect(strip, 5, 4, size.height() - 5, Darken(bar, 60));
    painter.fillRect(strip, 6, 2, size.height() - 6, Darken(bar, 100));
}

void TZvFlatMenuPainter::paintIndicator(QPainter& painter, int height, const TZvFlatMenuItem& item) const
{
    if (item.check == MenuItemCheck::None || !item.checked)
        return;
    const QRect box = indicatorBox(item, height);
    const QColor fill = item.selected ? m_colors.checkFillSelected : m_colors.checkFillUnselected;
    const bool radio = item.check == MenuItemCheck::Radio;
    painter.setBrush(item.enabled ? QBrush(fill) : QBrush(Qt::NoBrush));
    const QRect outline = box.adjusted(0, 0, -1, -1);
    if (!item.image.isNull()) {
        painter.setPen(item.enabled ? m_colors.selectionBorder : m_colors.disabled);
        if (radio)
            painter.drawRoundedRect(outline, 3, 3);
        else
            painter.drawRect(outline);
        return;
    }
    if (radio) {
        painter.setPen(item.enabled ? m_colors.selectionBorder : m_colors.disabled);
        painter.drawEllipse(outline);
        painter.setBrush(item.enabled ? m_colors.selectionBorder : m_colors.disabled);
        painter.drawEllipse(outline.adjusted(2, 2, -2, -2));
        return;
    }
    painter.setPen(item.enabled ? m_colors.checkFrame : m_colors.disabled);
    painter.drawRect(outline);
    drawFlatTick(painter, box, item.enabled ? QColor(Qt::black) : m_colors.disabled);
}

void TZvFlatMenuPainter::paintImage(QPainter& painter, const TZvFlatMenuItem& item) const
{
    if (item.image.isNull())
        return;
    const int iconWidth = m_properties.IconWidth;
    const int left = item.image.width() > iconWidth ? 2 : (iconWidth - item.image.width()) / 2;
    const QPoint place(left, imageTop);
    if (!item.enabled) {
        painter.drawImage(place, greyed(item.image, m_properties.GrayLevel));
        return;
    }
    if (item.selected && !item.checked) {
        painter.drawImage(place + QPoint(1, 1), silhouette(item.image, Darken(m_colors.selectionFill, 50)));
        painter.drawImage(place - QPoint(1, 1), item.image);
        return;
    }
    if (!item.checked && m_depth == ColorDepth::High) {
        painter.drawImage(place, lightened(item.image, m_properties.DimLevel));
        return;
    }
    painter.drawImage(place, item.image);
}

QColor TZvFlatMenuPainter::textColor(const TZvFlatMenuItem& item) const
{
    const QColor font = SysColor(m_properties.FontColor);
    if (!item.enabled)
        return m_colors.disabled;
    if (!item.selected)
        return font;
    if (item.place == MenuItemPlace::OnBar && m_properties.UseSystemColors)
        return isLight(m_colors.iconColumn) ? font : Lighten(m_colors.iconColumn, 90);
    return m_colors.selectedText;
}

void TZvFlatMenuPainter::paintTexts(QImage& image, const TZvFlatMenuItem& item) const
{
    QPainter painter(&image);
    painter.setFont(m_properties.Font);
    const QFontMetrics metrics(m_properties.Font);
    const int lineHeight = metrics.boundingRect(QLatin1Char('W')).height();
    const int top = (image.height() - std::max(lineHeight, metrics.height())) / 2;
    const bool rightToLeft = item.direction == Qt::RightToLeft;
    const int start = textLeft(item) + captionIndent;
    const QRect captionRect = rightToLeft ? QRect(0, top, image.width() - start, metrics.height())
                                          : QRect(start, top, image.width() - start, metrics.height());
    const int flags = Qt::TextShowMnemonic | Qt::TextExpandTabs | Qt::AlignTop |
                      (rightToLeft ? Qt::AlignRight : Qt::AlignLeft);
    const QString caption = captionOf(item);
    if (item.defaultItem) {
        // The default item's caption is underlaid four times, each in a darker
        // shade of the background beneath it, so that it stands out heavier.
        const QColor beneath = image.pixelColor(rightToLeft ? captionRect.right() : captionRect.left(),
                                                captionRect.center().y());
        const struct
        {
            QPoint offset;
            int darkening;
        } layers[] = {{{1, 0}, 30}, {{1, 2}, 30}, {{0, 1}, 40}, {{1, 1}, 60}};
        for (const auto& layer : layers) {
            painter.setPen(Darken(beneath, layer.darkening));
            painter.drawText(captionRect.translated(layer.offset), flags, caption);
        }
    }
    painter.setPen(textColor(item));
    painter.drawText(captionRect, flags, caption);
    if (item.shortcut.isEmpty())
        return;
    const QRect shortcutRect(shortcutMargin, top, image.width() - 2 * shortcutMargin, metrics.height());
    painter.drawText(shortcutRect, Qt::AlignTop | (rightToLeft ? Qt::AlignLeft : Qt::AlignRight),
                     item.shortcut + QLatin1Char(' '));
}
