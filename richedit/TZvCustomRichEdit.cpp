#include "richedit/TZvCustomRichEdit.h"

#include "editcontrol/BlockTally.h"
#include "editcontrol/RichEditControl.h"
#include "editcontrol/RichEditMimeData.h"
#include "platform/QtDesktop.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int UnsettledVersion = 0;
int libraryVersion = UnsettledVersion;

// The text engine counts as the newest library: all its features are there.
constexpr int EngineLibraryVersion = 3;
constexpr int DefaultTextLimit = 0xFFFFFF;

} // namespace

int EditorLibraryVersion()
{
    if (libraryVersion == UnsettledVersion)
        SettleEditorLibraryVersion();
    return libraryVersion;
}

void SetEditorLibraryVersion(int version)
{
    libraryVersion = version;
}

void SettleEditorLibraryVersion()
{
    libraryVersion = EngineLibraryVersion;
}

TZvCustomRichEdit::TZvCustomRichEdit(QWidget* parent)
    : QWidget(parent), m_lines(std::make_unique<TRichEditStrings>(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setFocusPolicy(Qt::StrongFocus);
    resize(185, 89);
}

TZvCustomRichEdit::~TZvCustomRichEdit()
{
    askSaveClipboard();
}

RichEditControl* TZvCustomRichEdit::control()
{
    if (!m_control)
        CreateWnd();
    return m_control.get();
}

const QTextDocument& TZvCustomRichEdit::Document()
{
    return *control()->document();
}

void TZvCustomRichEdit::showEvent(QShowEvent* event)
{
    control();
    QWidget::showEvent(event);
}

RichEditStyle TZvCustomRichEdit::CreateParams() const
{
    RichEditStyle style;
    style.verticalScrollBar =
        m_scrollBars == TScrollStyle::ssVertical || m_scrollBars == TScrollStyle::ssBoth;
    style.horizontalScrollBar =
        (m_scrollBars == TScrollStyle::ssHorizontal || m_scrollBars == TScrollStyle::ssBoth) && !m_wordWrap;
    style.disableNoScroll = !m_hideScrollBars;
    style.selectionBar = m_selectionBar;
    style.noHideSelection = !m_hideSelection;
    style.wordWrap = m_wordWrap;
    return style;
}

void TZvCustomRichEdit::CreateWnd()
{
    const int version = EditorLibraryVersion();
    m_control = std::make_unique<RichEditControl>(CreateParams(), this);
    RichEditControl* edit = m_control.get();
    layout()->addWidget(edit);
    setFocusProxy(edit);
    edit->installEventFilter(this);
    edit->viewport()->installEventFilter(this);
    edit->setNotify(this);
    edit->setReadOnly(m_readOnly);
    edit->setTabChangesFocus(!m_wantTabs);
    // Objects can be embedded only when the container answers the control's
    // object questions.
    edit->SetOleCallback(m_allowObjects);

    edit->SetEventMask(version >= 2
                           ? ENM_CHANGE | ENM_SELCHANGE | ENM_REQUESTRESIZE | ENM_PROTECTED | ENM_LINK
                           : ENM_CHANGE | ENM_SELCHANGE | ENM_REQUESTRESIZE | ENM_PROTECTED);
    applyColor();
    edit->ExLimitText(m_maxLength == 0 ? DefaultTextLimit : m_maxLength);
    DWORD options = edit->GetOptions();
    options = m_wordSelection ? options | ECO_AUTOWORDSELECTION : options & ~ECO_AUTOWORDSELECTION;
    edit->SetOptions(ECOOP_SET, options);
    edit->HideSelection(m_hideSelection, false);
    if (version >= 2) {
        edit->AutoUrlDetect(m_autoURLDetect);
        m_undoLimit = edit->SetUndoLimit(m_undoLimit);
        applyTextMode();
        edit->SetLangOptions(m_langOptions);
    } else {
        // The old library has no link detection.
        edit->AutoUrlDetect(false);
    }
    edit->setSpellChecker(m_spellChecker);
    if (m_savedDocument)
        edit->adoptDocument(m_savedDocument.release());
    edit->SetModify(m_savedModified);
    if (isVisible())
        edit->show();
}

void TZvCustomRichEdit::DestroyWnd()
{
    if (!m_control)
        return;
    askSaveClipboard();
    m_savedModified = m_control->GetModify();
    // The document outlives the control, so that a re-created control shows
    // the same text, formatting and pictures.
    QTextDocument* document = m_control->document();
    document->setParent(nullptr);
    m_control->setDocument(new QTextDocument(m_control.get()));
    m_savedDocument.reset(document);
    m_control.reset();
}

void TZvCustomRichEdit::RecreateWnd()
{
    if (!m_control)
        return;
    const bool hadFocus = m_control->hasFocus();
    DestroyWnd();
    CreateWnd();
    if (hadFocus)
        m_control->setFocus();
}

void TZvCustomRichEdit::applyTextMode()
{
    if (!m_control || EditorLibraryVersion() < 2)
        return;
    const UINT mode = (m_plainText ? TM_PLAINTEXT : TM_RICHTEXT) |
                      (m_undoLimit > 1 ? TM_MULTILEVELUNDO : TM_SINGLELEVELUNDO);
    m_control->SetTextMode(mode);
}

// --- Properties ------------------------------------------------------------

void TZvCustomRichEdit::setAllowObjects(bool value)
{
    if (value == m_allowObjects)
        return;
    m_allowObjects = value;
    RecreateWnd();
}

bool TZvCustomRichEdit::AutoURLDetect() const
{
    if (m_control && EditorLibraryVersion() >= 2)
        return m_control->GetAutoUrlDetect();
    return m_autoURLDetect;
}

void TZvCustomRichEdit::setAutoURLDetect(bool value)
{
    m_autoURLDetect = value;
    if (m_control && EditorLibraryVersion() >= 2)
        m_control->AutoUrlDetect(value);
}

void TZvCustomRichEdit::setHideScrollBars(bool value)
{
    if (value == m_hideScrollBars)
        return;
    m_hideScrollBars = value;
    RecreateWnd();
}

void TZvCustomRichEdit::setHideSelection(bool value)
{
    if (value == m_hideSelection)
        return;
    m_hideSelection = value;
    control()->HideSelection(value, true);
}

TRichLangOptions TZvCustomRichEdit::LangOptions() const
{
    if (m_control && EditorLibraryVersion() >= 2)
        return m_control->GetLangOptions() & 0xF;
    return m_langOptions;
}

void TZvCustomRichEdit::setLangOptions(TRichLangOptions value)
{
    m_langOptions = value;
    if (m_control && EditorLibraryVersion() >= 2)
        m_control->SetLangOptions(value);
}

void TZvCustomRichEdit::setScrollBars(TScrollStyle value)
{
    if (value == m_scrollBars)
        return;
    m_scrollBars = value;
    RecreateWnd();
}

void TZvCustomRichEdit::setSelectionBar(bool value)
{
    if (value == m_selectionBar)
        return;
    m_selectionBar = value;
    RecreateWnd();
}

void TZvCustomRichEdit::setUndoLimit(int value)
{
    m_undoLimit = value;
    if (m_control && EditorLibraryVersion() >= 2)
        m_undoLimit = m_control->SetUndoLimit(value);
}

bool TZvCustomRichEdit::WordSelection() const
{
    if (m_control)
        return m_control->GetOptions() & ECO_AUTOWORDSELECTION;
    return m_wordSelection;
}

void TZvCustomRichEdit::setWordSelection(bool value)
{
    m_wordSelection = value;
    if (!m_control)
        return;
    const DWORD options = m_control->GetOptions();
    m_control->SetOptions(ECOOP_SET,
                          value ? options | ECO_AUTOWORDSELECTION : options & ~ECO_AUTOWORDSELECTION);
}

void TZvCustomRichEdit::setWordWrap(bool value)
{
    if (value == m_wordWrap)
        return;
    m_wordWrap = value;
    RecreateWnd();
}

void TZvCustomRichEdit::setSpellChecker(SpellChecker* checker)
{
    m_spellChecker = checker;
    if (m_control)
        m_control->setSpellChecker(checker);
}

std::optional<TMisspelledWord> TZvCustomRichEdit::MisspelledWordAt(int position)
{
    int language = 0;
    const CHARRANGE range = control()->misspelledWordAt(position, &language);
    if (range == NoRange)
        return std::nullopt;
    return TMisspelledWord{range.cpMin, range.cpMax - range.cpMin, TextBetween(range.cpMin, range.cpMax),
                           language};
}

bool TZvCustomRichEdit::ReplaceMisspelledWord(const TMisspelledWord& word, const QString& replacement)
{
    return control()->ReplaceRange({word.start, word.start + word.length}, replacement);
}

void TZvCustomRichEdit::setMaxLength(int value)
{
    m_maxLength = value;
    if (m_control)
        m_control->ExLimitText(value == 0 ? DefaultTextLimit : value);
}

void TZvCustomRichEdit::setReadOnly(bool value)
{
    m_readOnly = value;
    if (m_control)
        m_control->setReadOnly(value);
}

void TZvCustomRichEdit::setWantTabs(bool value)
{
    m_wantTabs = value;
    if (m_control)
        m_control->setTabChangesFocus(!value);
}

void TZvCustomRichEdit::setColor(TColor value)
{
    if (value == m_color)
        return;
    m_color = value;
    if (m_control)
        applyColor();
}

void TZvCustomRichEdit::applyColor()
{
    // The engine takes RGB only: a system colour is resolved here, and again
    // whenever the palette changes. Without a colour of its own (clDefault, clNone)
    // the editor shows the system's window colour, as an edit control does.
    const QColor color = m_color == clDefault ? QColor() : SysColor(m_color);
    m_control->SetBkgndColor(!color.isValid(), QColorToColorRef(color));
}

void TZvCustomRichEdit::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    const bool followsPalette =
        (m_color & clSystemColor) == clSystemColor || m_color == clDefault || m_color == clNone;
    if (event->type() == QEvent::PaletteChange && m_control && followsPalette)
        applyColor();
}

void TZvCustomRichEdit::SetPlainText(bool value)
{
    if (value == m_plainText)
        return;
    if (!m_control || EditorLibraryVersion() < 2) {
        m_plainText = value;
        return;
    }
    // The document's own words come back in the new mode, in the default
    // format: switching to plain text drops the formatting, the pictures and
    // what only a plain-text file shows beside the words (list labels, notes).
    QString text = m_control->GetText();
    text.remove(QChar::ObjectReplacementCharacter);
    const bool modified = m_control->GetModify();
    m_lines->EnableChangeNotifications(false);
    m_control->SetText(QString());
    m_plainText = value;
    applyTextMode(); // the control takes another mode only while it is empty
    m_lines->EnableChangeNotifications(true);
    m_control->SetText(text);
    m_control->SetModify(modified);
}

// --- Selection and text ----------------------------------------------------

int TZvCustomRichEdit::SelectionStart()
{
    return control()->ExGetSel().cpMin;
}

void TZvCustomRichEdit::setSelectionStart(int value)
{
    control()->ExSetSel({value, value});
}

int TZvCustomRichEdit::SelectionLength()
{
    const CHARRANGE range = control()->ExGetSel();
    return range.cpMax - range.cpMin;
}

void TZvCustomRichEdit::setSelectionLength(int value)
{
    RichEditControl* edit = control();
    const int start = edit->ExGetSel().cpMin;
    edit->ExSetSel({start, start + std::max(0, value)});
    edit->ScrollCaret();
}

QString TZvCustomRichEdit::SelectedText()
{
    const CHARRANGE range = control()->ExGetSel();
    return TextBetween(range.cpMin, range.cpMax);
}

void TZvCustomRichEdit::setSelectedText(const QString& value)
{
    RichEditControl* edit = control();
    const int start = edit->ExGetSel().cpMin;
    const bool undoable = m_undoLimit > 1 && EditorLibraryVersion() >= 2 && !LinesUpdating;
    edit->ReplaceSel(undoable, value);
    if (LinesUpdating)
        return;
    // The new text is left selected; its length is what the control inserted
    // (line breaks become one character each, the text limit may cut it).
    edit->ExSetSel({start, edit->ExGetSel().cpMax});
    edit->ScrollCaret();
}

QString TZvCustomRichEdit::TextBetween(int startPos, int endPos)
{
    return control()->TextRange({startPos, endPos});
}

void TZvCustomRichEdit::SelectRange(int startPos, int endPos, bool scroll)
{
    RichEditControl* edit = control();
    edit->ExSetSel({startPos, endPos});
    if (scroll)
        edit->ScrollCaret();
}

TPoint TZvCustomRichEdit::CharPosition(int index)
{
    if (!m_control)
        return {};
    const QPoint point = m_control->PosFromChar(index);
    return {point.x(), point.y()};
}

TPoint TZvCustomRichEdit::CaretPosition()
{
    return LinePosition(control()->ExGetSel().cpMax);
}

TPoint TZvCustomRichEdit::LinePosition(int index)
{
    RichEditControl* edit = control();
    const int line = edit->ExLineFromChar(index);
    return {index - edit->LineIndex(line), line};
}

int TZvCustomRichEdit::GetTextLen()
{
    return control()->GetTextLengthEx(GTL_USECRLF | GTL_PRECISE);
}

int TZvCustomRichEdit::CharCount()
{
    return control()->GetTextLength();
}

long long TZvCustomRichEdit::LineSum(CountOfLine countOfLine)
{
    RichEditControl* edit = control();
    auto kept = std::find_if(m_lineSums.begin(), m_lineSums.end(),
                             [countOfLine](const auto& sum) { return sum.first == countOfLine; });
    if (kept == m_lineSums.end())
        kept = m_lineSums.insert(kept, {countOfLine, nullptr});
    // A tally lives as long as its document, which a new window handle replaces.
    if (!kept->second || kept->second->document() != edit->document()) {
        kept->second = edit->lineTally(countOfLine);
        connect(kept->second, &BlockTally::invalidated, this, &TZvCustomRichEdit::LineSumsInvalidated);
    }
    return kept->second->total();
}

void TZvCustomRichEdit::SetFormatRect(const QRect& rect)
{
    control()->SetRect(rect);
}

TSelectionKind TZvCustomRichEdit::SelectionKind()
{
    if (!m_control)
        return 0;
    return m_control->SelectionType();
}

QString TZvCustomRichEdit::Text()
{
    return control()->GetText();
}

void TZvCustomRichEdit::setText(const QString& value)
{
    control()->SetText(value);
}

void TZvCustomRichEdit::SelectAll()
{
    control()->SetSel(0, EndOfText);
}

bool TZvCustomRichEdit::IsModified()
{
    if (!m_control)
        return m_savedModified;
    return m_control->GetModify();
}

void TZvCustomRichEdit::setIsModified(bool value)
{
    if (!m_control) {
        m_savedModified = value;
        return;
    }
    m_control->SetModify(value);
}

bool TZvCustomRichEdit::CanUndo()
{
    return control()->CanUndo();
}

void TZvCustomRichEdit::Undo()
{
    control()->Undo();
}

void TZvCustomRichEdit::Redo()
{
    control()->Redo();
}

void TZvCustomRichEdit::Clear()
{
    control()->SetText(QString());
    setIsModified(false);
}

void TZvCustomRichEdit::PasteFromClipboard()
{
    control()->Paste();
}

void TZvCustomRichEdit::CopyToClipboard()
{
    control()->copy();
}

void TZvCustomRichEdit::CutToClipboard()
{
    control()->cut();
}

void TZvCustomRichEdit::PasteAsPlainText()
{
    control()->PasteSpecial(CF_UNICODETEXT);
}

// --- Notifications and events ----------------------------------------------

void TZvCustomRichEdit::DoSelectionChange()
{
    if (OnSelectionChange)
        OnSelectionChange(this);
}

bool TZvCustomRichEdit::DoProtectChange(const TMessage& message, int startPos, int endPos)
{
    bool allowChange = false;
    if (OnProtectChangeEx)
        OnProtectChangeEx(this, message, startPos, endPos, allowChange);
    else if (OnProtectChange)
        OnProtectChange(this, startPos, endPos, allowChange);
    return allowChange;
}

bool TZvCustomRichEdit::DoSaveClipboard(int numObjects, int numChars)
{
    bool saveClipboard = true;
    if (OnSaveClipboard)
        OnSaveClipboard(this, numObjects, numChars, saveClipboard);
    return saveClipboard;
}

void TZvCustomRichEdit::DoURLClick(const QString& urlText, TMouseButton button)
{
    if (OnURLClick)
        OnURLClick(this, urlText, button);
}

void TZvCustomRichEdit::DoResizeRequest(const QRect& rect)
{
    if (OnResizeRequest)
        OnResizeRequest(this, rect);
}

void TZvCustomRichEdit::notifyChange()
{
    if (OnChange)
        OnChange(this);
}

void TZvCustomRichEdit::notifySelectionChange()
{
    DoSelectionChange();
}

void TZvCustomRichEdit::notifyRequestResize(const QRect& rect)
{
    DoResizeRequest(rect);
}

bool TZvCustomRichEdit::notifyProtected(const TMessage& message, CHARRANGE range)
{
    return DoProtectChange(message, range.cpMin, range.cpMax);
}

void TZvCustomRichEdit::notifyLink(UINT message, CHARRANGE range)
{
    // A click counts only when press and release hit the same link with the
    // same button.
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        m_linkRange = range;
        m_linkButton = message == WM_LBUTTONDOWN ? TMouseButton::mbLeft : TMouseButton::mbRight;
        return;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
        const TMouseButton button = message == WM_LBUTTONUP ? TMouseButton::mbLeft : TMouseButton::mbRight;
        const bool sameLink = m_linkButton == button && range == m_linkRange;
        m_linkRange = NoRange;
        if (sameLink)
            DoURLClick(TextBetween(range.cpMin, range.cpMax), button);
        return;
    }
    default:
        return;
    }
}

void TZvCustomRichEdit::notifyContextMenu(const QPoint& globalPos, int position)
{
    if (OnContextPopup)
        OnContextPopup(this, position);
    if (QMenu* menu = popupMenuToShow())
        menu->popup(globalPos);
}

Desktop& TZvCustomRichEdit::desktop()
{
    static QtDesktop qtDesktop;
    return m_desktop ? *m_desktop : qtDesktop;
}

void TZvCustomRichEdit::askSaveClipboard()
{
    if (!m_control || !m_control->ownsClipboardData())
        return;
    // The plain text of the clipboard leaves pictures out; the copied
    // fragment still holds them.
    const auto* data = qobject_cast<const RichEditMimeData*>(QApplication::clipboard()->mimeData());
    const QString text = data ? data->fragment().toPlainText() : QApplication::clipboard()->text();
    const int objects = int(text.count(QChar::ObjectReplacementCharacter));
    if (!DoSaveClipboard(objects, int(text.size()) - objects))
        QApplication::clipboard()->clear();
}

bool TZvCustomRichEdit::filterKey(QKeyEvent* event, bool press)
{
    int key = event->key();
    if (press && OnKeyDown)
        OnKeyDown(this, key, event->modifiers());
    if (!press && OnKeyUp)
        OnKeyUp(this, key, event->modifiers());
    if (key == 0)
        return true;
    const QString text = event->text();
    if (!press || !OnKeyPress || text.size() != 1)
        return false;
    QChar character = text.at(0);
    OnKeyPress(this, character);
    if (character.isNull())
        return true;
    if (character == text.at(0))
        return false;
    // The handler replaced the character: deliver the replacement instead.
    QKeyEvent replaced(QEvent::KeyPress, event->key(), event->modifiers(), QString(character));
    m_control->removeEventFilter(this);
    QApplication::sendEvent(m_control.get(), &replaced);
    m_control->installEventFilter(this);
    return true;
}

bool TZvCustomRichEdit::deliverMousePress(QMouseEvent* mouse)
{
    if (!OnMouseDown)
        return false;
    // The handler runs after the control has placed the caret, so that it
    // sees the selection the click made.
    QWidget* viewport = m_control->viewport();
    const QPoint point = viewport->mapTo(this, mouse->position().toPoint());
    viewport->removeEventFilter(this);
    QApplication::sendEvent(viewport, mouse);
    viewport->installEventFilter(this);
    OnMouseDown(this, mouse->button(), mouse->modifiers(), point.x(), point.y());
    return true;
}

bool TZvCustomRichEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_control || (watched != m_control.get() && watched != m_control->viewport()))
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (watched == m_control.get())
            return filterKey(static_cast<QKeyEvent*>(event), event->type() == QEvent::KeyPress);
        break;
    case QEvent::FocusIn:
        if (watched == m_control.get() && OnEnter)
            OnEnter(this);
        break;
    case QEvent::FocusOut:
        if (watched == m_control.get() && OnExit)
            OnExit(this);
        break;
    case QEvent::MouseButtonPress:
        if (watched == m_control->viewport()) {
            // The control reports presses on links only; any press forgets a
            // pending one, so that a drag onto a link is no click on it.
            m_linkRange = NoRange;
            return deliverMousePress(static_cast<QMouseEvent*>(event));
        }
        break;
    case QEvent::MouseButtonRelease:
        if (watched == m_control->viewport() && OnMouseUp) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint point = m_control->viewport()->mapTo(this, mouse->position().toPoint());
            OnMouseUp(this, mouse->button(), mouse->modifiers(), point.x(), point.y());
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
