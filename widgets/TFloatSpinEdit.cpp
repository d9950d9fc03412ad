#include "widgets/TFloatSpinEdit.h"

#include "widgets/TFloatSpinButton.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>

#include <algorithm>
#include <optional>

namespace {

constexpr QChar Backspace(8);
constexpr QChar CarriageReturn(13);

// The character a key press types, as the field judges it: Backspace, Return
// and Escape type their control characters; keys that type nothing (arrows,
// Delete, function keys) give none.
std::optional<QChar> typedCharacter(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Backspace:
        return Backspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return CarriageReturn;
    case Qt::Key_Escape:
        return QChar(27);
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty() || text.at(0).unicode() < 32 || text.at(0).unicode() == 127)
        return std::nullopt;
    return text.at(0);
}

} // namespace

TFloatSpinEdit::TFloatSpinEdit(Desktop& desktop, QWidget* parent)
    : QLineEdit(parent), m_desktop(desktop), m_button(new TFloatSpinButton(this))
{
    m_button->setCursor(Qt::ArrowCursor);
    m_button->setFocusControl(this);
    m_button->OnUpClick = [this](QObject*) { StepUp(); };
    m_button->OnDownClick = [this](QObject*) { StepDown(); };
    // Only typed characters go through AcceptsKey; dropped text would bypass it.
    setAcceptDrops(false);
    setTextMargins(0, 0, ArrowWidth + 2, 0);
    setText(QStringLiteral("0"));
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (OnChange)
            OnChange(this);
    });
    placeArrows();
}

TFloatSpinEdit::~TFloatSpinEdit()
{
    // The arrows are a child widget and go with the field.
    m_button = nullptr;
}

QLocale TFloatSpinEdit::numberLocale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

std::optional<double> TFloatSpinEdit::numberOf(const QString& text) const
{
    bool ok = false;
    const double number = numberLocale().toDouble(text, &ok);
    if (!ok)
        return std::nullopt;
    return number;
}

double TFloatSpinEdit::Value() const
{
    return numberOf(text()).value_or(m_minValue);
}

void TFloatSpinEdit::setValue(double value)
{
    const QString newText = numberLocale().toString(ClampValue(value), 'g', 15);
    if (newText == text())
        return;
    setText(newText);
}

int TFloatSpinEdit::MaxLength() const
{
    return m_maxLength;
}

void TFloatSpinEdit::setMaxLength(int value)
{
    // Only typing is limited; the program may still write longer values (0,1 in a field of one).
    m_maxLength = std::max(0, value);
}

double TFloatSpinEdit::ClampValue(double x) const
{
    if (m_maxValue == m_minValue)
        return x;
    if (x < m_minValue)
        return m_minValue;
    if (x > m_maxValue)
        return m_maxValue;
    return x;
}

bool TFloatSpinEdit::AcceptsKey(QChar key) const
{
    const bool allowed = key.isDigit() || key == QLatin1Char('+') || key == QLatin1Char('-') ||
                         key == numberLocale().decimalPoint().at(0) ||
                         (key.unicode() < 32 && key != CarriageReturn);
    if (!allowed)
        return false;
    if (!m_editorEnabled)
        return key.unicode() < 32 && key != Backspace;
    return true;
}

void TFloatSpinEdit::StepUp()
{
    stepBy(m_increment);
}

void TFloatSpinEdit::StepDown()
{
    stepBy(-m_increment);
}

void TFloatSpinEdit::stepBy(double delta)
{
    if (isReadOnly()) {
        m_desktop.messageBeep(0);
        return;
    }
    // From the value shown, so that rounding errors never pile up.
    setValue(Value() + delta);
}

void TFloatSpinEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up)
        StepUp();
    else if (event->key() == Qt::Key_Down)
        StepDown();

    const bool cut = event->matches(QKeySequence::Cut);
    const bool paste = event->matches(QKeySequence::Paste);
    if ((cut || paste) && !editingAllowed()) {
        event->accept();
        return;
    }
    if (paste) {
        pasteWithinMaxLength();
        event->accept();
        return;
    }
    // Shortcuts with Ctrl type control characters, which every field passes on.
    if (event->modifiers() & Qt::ControlModifier)
        return QLineEdit::keyPressEvent(event);

    const std::optional<QChar> typed = typedCharacter(event);
    if (!typed)
        return QLineEdit::keyPressEvent(event);
    if (!AcceptsKey(*typed)) {
        m_desktop.messageBeep(0);
        event->accept();
        return;
    }
    if (typed->unicode() >= 32 && m_maxLength > 0 && roomForTyping() <= 0) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

qsizetype TFloatSpinEdit::roomForTyping() const
{
    // Typed text replaces the selection, so the selected characters count as room.
    return m_maxLength - (text().size() - selectedText().size());
}

void TFloatSpinEdit::pasteWithinMaxLength()
{
    QString pasted = QApplication::clipboard()->text();
    if (m_maxLength > 0)
        pasted.truncate(std::max<qsizetype>(0, roomForTyping()));
    insert(pasted);
}

void TFloatSpinEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste")) {
            action->setEnabled(editingAllowed() && !QApplication::clipboard()->text().isEmpty());
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &TFloatSpinEdit::pasteWithinMaxLength);
        }
        if (action->objectName() == QLatin1String("edit-cut"))
            action->setEnabled(editingAllowed() && hasSelectedText());
    }
    menu->popup(event->globalPos());
}

void TFloatSpinEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // A press on the text itself puts the caret where it lands right after this,
    // so selecting here selects only for the keyboard and the arrows.
    if (m_autoSelect)
        selectAll();
}

void TFloatSpinEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A number out of bounds becomes the nearest bound; a text that is no number
    // reads as MinValue, which is within them, and stays as typed.
    const double value = Value();
    if (value != ClampValue(value))
        setValue(value);
}

int TFloatSpinEdit::minimumFieldHeight() const
{
    const int textHeight = QFontMetrics(font()).height();
    const int systemHeight = QFontMetrics(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).height();
    constexpr int BorderHeight = 1;
    return textHeight + std::min(systemHeight, textHeight) / 4 + 4 * BorderHeight + 2;
}

void TFloatSpinEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    if (height() < minimumFieldHeight())
        resize(width(), minimumFieldHeight());
    placeArrows();
}

void TFloatSpinEdit::placeArrows()
{
    // Inside the frame, one pixel off its right and bottom edges.
    const int frame = hasFrame() ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) : 0;
    m_button->setGeometry(width() - frame - 1 - ArrowWidth, frame, ArrowWidth, height() - 2 * frame - 1);
}
