#include "widgets/TZvFontComboBox.h"

#include "widgets/FontDropDownStyle.h"
#include "widgets/FontEntryDelegate.h"
#include "widgets/FontKindGlyphs.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QKeyEvent>
#include <QSet>
#include <QStandardItemModel>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>

namespace {

const QString substitutesKey =
    QStringLiteral("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes");
constexpr int fontTypeRole = Qt::UserRole;
constexpr int glyphGap = 6;      // between the glyph and the name, and the highlight beyond the name
constexpr int nameIndent = 2;    // the name's distance from its highlight's left edge
constexpr int previewGap = 36;   // at least between the name and the preview
constexpr int previewMargin = 8; // between the preview and the scroll bar

QStandardItem* newEntry(const QString& name, int fontType)
{
    auto* item = new QStandardItem(name);
    item->setData(fontType, fontTypeRole);
    return item;
}

bool lessIgnoringCase(const FontFace& left, const FontFace& right)
{
    return left.name.compare(right.name, Qt::CaseInsensitive) < 0;
}

} // namespace

TZvFontComboBox::TZvFontComboBox(QWidget* parent, const FontSources& sources)
    : QComboBox(parent), m_sources(sources), m_hiliteColor(palette().color(QPalette::Highlight)),
      m_hiliteText(palette().color(QPalette::HighlightedText))
{
    setEditable(false);
    auto* dropDownStyle = new FontDropDownStyle;
    dropDownStyle->setParent(this);
    setStyle(dropDownStyle);
    setMaxVisibleItems(8);
    setItemDelegate(new FontEntryDelegate(this));
    // activated comes only from the user's picks, once each, never from FontName or ItemIndex.
    connect(this, &QComboBox::activated, this, &TZvFontComboBox::userPicked);
    if (parent)
        setFontName(font().family());
}

QString TZvFontComboBox::FontName() const
{
    return currentIndex() < 0 ? QString() : itemText(currentIndex());
}

void TZvFontComboBox::setFontName(const QString& name)
{
    if (name.isEmpty())
        return;
    if (count() == 0)
        fillList();
    int index = findFace(name);
    if (index < 0 && m_registry.openKeyReadOnly(substitutesKey)) {
        const QString substitute = m_registry.readString(name);
        m_registry.closeKey();
        if (!substitute.isEmpty())
            index = findFace(substitute);
    }
    if (index < 0 && m_options.testFlag(foDisableVerify)) {
        appendFace(name, TRUETYPE_FONTTYPE);
        index = findFace(name);
    }
    setCurrentIndex(index);
}

void TZvFontComboBox::setDevice(TFontDialogDevice device)
{
    if (device == m_device)
        return;
    m_device = device;
    refillKeepingName();
}

void TZvFontComboBox::setOptions(TZvFontComboOptions options)
{
    if (options.testFlag(foPreviewFont))
        options.setFlag(foWysiWyg, false); // the name in its own face would crowd the preview
    if (options == m_options)
        return;
    m_options = options;
    if (options.testFlag(foMRU))
        m_sorted = false;
    // Without foMRU the refill leaves the recently-used entries out.
    refillKeepingName();
}

void TZvFontComboBox::setSorted(bool sorted)
{
    if (sorted == m_sorted)
        return;
    m_sorted = sorted;
    refillKeepingName();
}

void TZvFontComboBox::setUseImages(bool useImages)
{
    if (useImages == m_useImages)
        return;
    m_useImages = useImages;
    update();
}

void TZvFontComboBox::setMaxMRUCount(int count)
{
    m_maxMruCount = count;
    if (count == 0 || m_mruCount <= count)
        return;
    const QString name = FontName();
    for (int surplus = m_mruCount - count; surplus > 0; --surplus)
        removeItem(0);
    m_mruCount = count;
    const int index = findFace(name);
    setCurrentIndex(index < 0 ? 0 : index);
}

void TZvFontComboBox::setHiliteColor(const QColor& colour)
{
    if (colour == m_hiliteColor)
        return;
    m_hiliteColor = colour;
    update();
}

void TZvFontComboBox::setHiliteText(const QColor& colour)
{
    if (colour == m_hiliteText)
        return;
    m_hiliteText = colour;
    update();
}

int TZvFontComboBox::fontTypeAt(int index) const
{
    return itemData(index, fontTypeRole).toInt();
}

int TZvFontComboBox::itemHeight() const
{
    return qMax(fontMetrics().height() + 1, FontKindGlyphs::size);
}

void TZvFontComboBox::fillList()
{
    setUpdatesEnabled(false);
    QList<QStandardItem*> rows;
    if (m_options.testFlag(foMRU)) {
        for (int index = 0; index < m_mruCount; ++index)
            rows.append(newEntry(itemText(index), fontTypeAt(index)));
    }
    QList<FontFace> faces;
    if (m_device != fdPrinter && m_sources.screen)
        faces += m_sources.screen();
    if (m_device != fdScreen && m_sources.printer)
        faces += m_sources.printer();

    QList<FontFace> listed;
    QSet<QString> seen;
    for (const FontFace& face : std::as_const(faces)) {
        if (!passesFilter(face))
            continue;
        const QString key = face.name.toCaseFolded();
        if (seen.contains(key))
            continue;
        seen.insert(key);
        listed.append(face);
    }
    if (m_sorted && !m_options.testFlag(foMRU))
        std::stable_sort(listed.begin(), listed.end(), lessIgnoringCase);

    m_mruCount = int(rows.size());
    for (const FontFace& face : std::as_const(listed))
        rows.append(newEntry(face.name, face.fontType));
    clear();
    // One insertion for the whole list: the model and the view lay it out once.
    static_cast<QStandardItemModel*>(model())->invisibleRootItem()->appendRows(rows);
    setUpdatesEnabled(true);
}

void TZvFontComboBox::refillKeepingName()
{
    const QString selected = FontName();
    fillList();
    setFontName(selected.isEmpty() ? font().family() : selected);
}

bool TZvFontComboBox::passesFilter(const FontFace& face) const
{
    if (m_options.testFlag(foAnsiOnly) && face.charSet != ANSI_CHARSET)
        return false;
    if (m_options.testFlag(foTrueTypeOnly) && !(face.fontType & TRUETYPE_FONTTYPE))
        return false;
    if (m_options.testFlag(foFixedPitchOnly) && !(face.pitchAndFamily & FIXED_PITCH))
        return false;
    if (m_options.testFlag(foOEMFontsOnly) && face.charSet != OEM_CHARSET)
        return false;
    if (m_options.testFlag(foNoOEMFonts) && face.charSet == OEM_CHARSET)
        return false;
    return !(m_options.testFlag(foScalableOnly) && (face.fontType & RASTER_FONTTYPE));
}

int TZvFontComboBox::findFace(const QString& name) const
{
    for (int index = 0; index < count(); ++index) {
        if (itemText(index).compare(name, Qt::CaseInsensitive) == 0)
            return index;
    }
    return -1;
}

void TZvFontComboBox::appendFace(const QString& name, int fontType)
{
    int position = count();
    if (m_sorted && !m_options.testFlag(foMRU)) {
        position = m_mruCount;
        while (position < count() && itemText(position).compare(name, Qt::CaseInsensitive) < 0)
            ++position;
    }
    insertItem(position, name, fontType);
}

void TZvFontComboBox::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool letter = !typed.isEmpty() && typed.at(0).isPrint() && !typed.at(0).isSpace() &&
                        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!letter) {
        QComboBox::keyPressEvent(event);
        return;
    }
    if (m_autoDropDown && !view()->isVisible())
        showPopup();
    if (m_autoComplete) {
        QComboBox::keyPressEvent(event); // Qt's search gathers a prefix
        return;
    }
    event->accept();
    const int next = nextFaceStartingWith(typed.at(0));
    if (next < 0 || next == currentIndex())
        return;
    setCurrentIndex(next);
    Q_EMIT activated(next); // a pick of the user's, like a click
}

// After the selected entry, wrapping round to the top; -1 when no face begins so.
int TZvFontComboBox::nextFaceStartingWith(QChar letter) const
{
    for (int step = 1; step <= count(); ++step) {
        const int index = (currentIndex() + step) % count();
        if (itemText(index).startsWith(letter, Qt::CaseInsensitive))
            return index;
    }
    return -1;
}

void TZvFontComboBox::userPicked(int index)
{
    if (m_options.testFlag(foMRU))
        rememberPick(index);
    if (OnClick)
        OnClick(this);
    if (OnChange)
        OnChange(this);
}

void TZvFontComboBox::rememberPick(int index)
{
    const QString name = itemText(index);
    const int fontType = fontTypeAt(index);
    if (m_maxMruCount != 0 && m_mruCount >= m_maxMruCount) {
        if (index != 0) {
            setItemText(0, name);
            setItemData(0, fontType, fontTypeRole);
        }
    } else if (index >= m_mruCount) {
        insertItem(0, name, fontType);
        ++m_mruCount;
    } else if (index > 0) {
        // Already in the block: it moves up to the top.
        removeItem(index);
        insertItem(0, name, fontType);
    }
    setCurrentIndex(0);
}

QRect TZvFontComboBox::nameArea(QRect rect, int index) const
{
    rect.setTop(rect.top() + 1);
    if (m_useImages)
        rect.setLeft(rect.left() + FontKindGlyphs::size + glyphGap);
    if (m_options.testFlag(foPreviewFont))
        return rect;
    QFont nameFont = font();
    if (m_options.testFlag(foWysiWyg))
        nameFont.setFamily(itemText(index));
    rect.setWidth(QFontMetrics(nameFont).horizontalAdvance(itemText(index)) + glyphGap);
    return rect;
}

void TZvFontComboBox::paintEntry(QPainter& painter, QRect rect, int index, bool selected,
                                 EntryPlace place) const
{
    painter.fillRect(rect, palette().color(QPalette::Base));
    if (index < 0 || index >= count())
        return;
    const QString name = itemText(index);
    const QRect row = rect.adjusted(0, 1, 0, 0);
    if (m_useImages) {
        const int top = (row.top() + row.top() + row.height() - FontKindGlyphs::size) / 2;
        painter.drawPixmap(row.left() + 2, top, FontKindGlyphs::forFontType(fontTypeAt(index)));
    }

    QFont nameFont = font();
    if (m_options.testFlag(foWysiWyg))
        nameFont.setFamily(name);
    painter.setFont(nameFont);
    const QRect area = nameArea(rect, index);
    const QColor textColour = selected ? m_hiliteText : palette().color(QPalette::Text);
    painter.fillRect(area, selected ? m_hiliteColor : palette().color(QPalette::Base));
    painter.setPen(textColour);
    painter.drawText(area.adjusted(nameIndent, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, name);

    if (m_options.testFlag(foPreviewFont)) {
        const int glyphAllowance = m_useImages ? FontKindGlyphs::size : 4;
        paintPreview(painter, row, name, glyphAllowance + QFontMetrics(nameFont).horizontalAdvance(name));
    }
    painter.setFont(font());
    if (selected) {
        painter.setPen(QPen(textColour, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area.adjusted(0, 0, -1, -1));
    }
    if (m_options.testFlag(foMRU) && place == EntryPlace::ListRow) {
        painter.setPen(QColor(0x80, 0x80, 0x80));
        if (index == m_mruCount - 1)
            painter.drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
        else if (index == m_mruCount)
            painter.drawLine(rect.left(), rect.top() + 1, rect.right(), rect.top() + 1);
    }
}

void TZvFontComboBox::paintPreview(QPainter& painter, const QRect& row, const QString& face,
                                   int usedWidth) const
{
    QFont previewFont = font();
    previewFont.setFamily(face);
    QString text = previewText;
    int width = QFontMetrics(previewFont).horizontalAdvance(text);
    bool draw = usedWidth + previewGap + width < row.width();
    if (OnDrawPreviewEvent)
        OnDrawPreviewEvent(const_cast<TZvFontComboBox*>(this), face, text, width, draw);
    if (!draw)
        return;
    const int right =
        row.left() + row.width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent) - previewMargin;
    painter.setFont(previewFont);
    painter.drawText(QRect(QPoint(row.left(), row.top()), QPoint(right, row.bottom())),
                     Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

void TZvFontComboBox::showPopup()
{
    if (OnDropDown)
        OnDropDown(this);
    QComboBox::showPopup();
    // As wide as DroppedDownWidth, never narrower than the box: longer names are cut off.
    QWidget* popup = view()->window();
    popup->resize(qMax(width(), m_droppedDownWidth), popup->height());
}

void TZvFontComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    painter.setClipRect(field); // a long name stops short of the arrow
    paintEntry(painter, field, currentIndex(), hasFocus(), EntryPlace::ClosedBox);
}

void TZvFontComboBox::changeEvent(QEvent* event)
{
    QComboBox::changeEvent(event);
    switch (event->type()) {
    case QEvent::ParentChange:
        // Only the first parent shows the own font's face: a tool bar that
        // takes the box in later must not undo what the host chose.
        if (parentWidget() && count() == 0)
            setFontName(font().family());
        break;
    case QEvent::FontChange:
        // The rows take their height from the font: have the list lay them out again.
        Q_EMIT itemDelegate()->sizeHintChanged(QModelIndex());
        updateGeometry();
        break;
    default:
        break;
    }
}
