#pragma once

// The editor control: the program's document view. It owns a RichEditControl
// (its "window"), creates it on first need, configures it from the published
// properties, re-creates it when a creation-time property changes (keeping the
// document and the modified flag), and turns the control's notifications into
// the events below. Positions are characters from 0; out-of-range positions are
// clamped.

#include "editcontrol/RichEditNotify.h"
#include "editcontrol/RichEditTypes.h"
#include "platform/SysColor.h"
#include "platform/TFindDialog.h"
#include "richedit/TRichEditStrings.h"
#include "richedit/TZvParaAttributes.h"
#include "richedit/TZvTextAttributes.h"

#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class BlockTally;
class Desktop;
class QMenu;
class QPrinter;
class QTextDocument;
class RichEditControl;
class SpellChecker;
struct RichEditStyle;

// Settled once at program start: 3 with the text engine of this build. Version 1
// (old library) skips link detection, undo limit, text mode and language options.
int EditorLibraryVersion();
void SetEditorLibraryVersion(int version); // for tests of the version-1 rules
void SettleEditorLibraryVersion();

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class TMouseButton { mbLeft, mbRight };
enum class TRichLangOption {
    rlAutoKeyboard = 1,
    rlAutoFont = 2,
    rlImeCancelComplete = 4,
    rlImeAlwaysSendNotify = 8
};
using TRichLangOptions = unsigned; // bits of TRichLangOption

enum TSelectionKindFlag : unsigned { stText = 1, stObject = 2, stMultiChar = 4, stMultiObject = 8 };
using TSelectionKind = unsigned;

// A word the spell checker marks: where it stands, what it reads and the
// language it was checked in (a Windows language id).
struct TMisspelledWord
{
    int start = 0;
    int length = 0;
    QString text;
    int language = 0;
};

struct TPoint
{
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

class TZvCustomRichEdit : public QWidget, private RichEditNotify
{
    Q_OBJECT
public:
    explicit TZvCustomRichEdit(QWidget* parent = nullptr);
    ~TZvCustomRichEdit() override;

    // The platform control, created on demand ("the window handle").
    RichEditControl* control();
    const QTextDocument& Document(); // the document as the control holds it, for reading
    bool HandleAllocated() const { return m_control != nullptr; }
    void RecreateWnd();

    // The text as lines, and the loading and saving of documents.
    TRichEditStrings& Lines() { return *m_lines; }
    TRichStreamFormat StreamFormat() const { return m_lines->StreamFormat(); }
    void setStreamFormat(TRichStreamFormat value) { m_lines->setStreamFormat(value); }
    TRichStreamModes StreamMode() const { return m_lines->StreamMode(); }
    void setStreamMode(TRichStreamModes value) { m_lines->setStreamMode(value); }

    // The character attributes of the selection, of the default format and of
    // the selection widened to whole words.
    TZvTextAttributes& SelectionAttributes() { return m_selectionAttributes; }
    TZvTextAttributes& DefaultAttributes() { return m_defaultAttributes; }
    TZvTextAttributes& WordAttributes() { return m_wordAttributes; }
    // The paragraph attributes of the paragraphs the selection touches.
    TZvParaAttributes& ParagraphAttributes() { return m_paragraphAttributes; }

    // Published properties.
    bool AllowObjects() const { return m_allowObjects; }
    void setAllowObjects(bool value);
    bool AllowInPlace() const { return m_allowInPlace; }
    void setAllowInPlace(bool value) { m_allowInPlace = value; }
    bool AutoURLDetect() const;
    void setAutoURLDetect(bool value);
    bool AutoVerbMenu() const { return m_autoVerbMenu; }
    void setAutoVerbMenu(bool value) { m_autoVerbMenu = value; }
    bool HideScrollBars() const { return m_hideScrollBars; }
    void setHideScrollBars(bool value);
    bool HideSelection() const { return m_hideSelection; }
    void setHideSelection(bool value);
    TRichLangOptions LangOptions() const;
    void setLangOptions(TRichLangOptions value);
    bool PlainText() const { return m_plainText; }
    virtual void SetPlainText(bool value);
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void setScrollBars(TScrollStyle value);
    bool SelectionBar() const { return m_selectionBar; }
    void setSelectionBar(bool value);
    QString Title() const { return m_title; }
    void setTitle(const QString& value) { m_title = value; }
    int UndoLimit() const { return m_undoLimit; }
    void setUndoLimit(int value);
    bool WordSelection() const;
    void setWordSelection(bool value);
    bool WordWrap() const { return m_wordWrap; }
    void setWordWrap(bool value);
    int MaxLength() const { return m_maxLength; }
    void setMaxLength(int value); // 0 means 16777215
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool value);
    bool WantTabs() const { return m_wantTabs; }
    void setWantTabs(bool value);
    // The background: an RGB colour or a system colour (clWindow by default),
    // which follows the desktop palette.
    TColor Color() const { return m_color; }
    void setColor(TColor value);
    QMenu* PopupMenu() const { return m_popupMenu; }
    void setPopupMenu(QMenu* menu) { m_popupMenu = menu; }

    // Spell checking as the text is shown: the words `checker` finds
    // misspelled are underlined with a red wavy line; null checks nothing.
    // Not owned.
    SpellChecker* spellChecker() const { return m_spellChecker; }
    void setSpellChecker(SpellChecker* checker);
    // The marked word at character `position` or ending right at it; none
    // while checking is off.
    std::optional<TMisspelledWord> MisspelledWordAt(int position);
    // Puts `replacement` in place of `word`, in the format of the word's first
    // character, as one undo step; false when protected text refuses it.
    bool ReplaceMisspelledWord(const TMisspelledWord& word, const QString& replacement);

    // Selection and text.
    int SelectionStart();
    void setSelectionStart(int value); // collapses the selection there, no scrolling
    int SelectionLength();
    void setSelectionLength(int value); // keeps the start, scrolls the caret into view
    QString SelectedText();
    void setSelectedText(const QString& value); // the new text is left selected
    QString TextBetween(int startPos, int endPos);
    void SelectRange(int startPos, int endPos, bool scroll);
    TPoint CharPosition(int index);
    TPoint CaretPosition();         // X column, Y line of the selection end
    TPoint LinePosition(int index); // X column, Y line of the character at `index`
    // The length of Text, where a paragraph break counts two, the CR LF it gives.
    int GetTextLen();
    // The characters of the text as SelectionStart counts them: a paragraph break
    // and a picture count one each.
    int CharCount();
    TSelectionKind SelectionKind();
    QString Text();
    void setText(const QString& value);
    void SelectAll();
    bool IsModified();
    void setIsModified(bool value);
    bool CanUndo();
    void Undo();
    void Redo();
    void Clear();
    void PasteFromClipboard();
    void CopyToClipboard();
    void CutToClipboard();
    // Pastes the clipboard's plain text only, in the format at the caret.
    void PasteAsPlainText();

    // The sum of `countOfLine` over the laid-out lines, each as GetLine copies
    // it. Each counting function's sums are kept per paragraph, so a sum after an
    // edit recounts only the paragraphs it touched; LineSumsInvalidated says
    // that sums may have changed without an edit (a long text laid out at last).
    using CountOfLine = int (*)(QStringView line);
    long long LineSum(CountOfLine countOfLine);

    // The formatting rectangle, in the editor's pixels: where the lines run.
    void SetFormatRect(const QRect& rect);

    // Embedded objects (pictures). Each needs AllowObjects. The insert-object
    // dialog inserts the chosen picture at the selection and leaves it
    // selected; true when something was inserted. The properties dialog runs
    // only while exactly one object is selected; true when it ended with OK.
    bool ShowInsertObjectDialog();
    bool ShowObjectPropertiesDialog();

    // Find and replace.
    enum TSearchType : unsigned { stWholeWord = 1, stMatchCase = 2, stBackward = 4, stSetSelection = 8 };
    using TSearchTypes = unsigned; // bits of TSearchType
    // After a hit, whether the dialog moves off the hit; after a miss, whether OnTextNotFound is raised.
    enum class TFindPlacement { KeepDialog, MoveDialogOffHit };
    enum class TFindReport { Silent, ReportNotFound };

    // The desktop that makes the find and replace dialogs; without one, real Qt dialogs.
    void setDesktop(Desktop* desktop) { m_desktop = desktop; }
    // Show the find or replace dialog, made on first use (taking over the
    // other dialog's find text then) and owned by the editor; a shown dialog is
    // brought to the front. A non-empty initial text becomes the find text, a
    // non-empty initial replacement the replace text.
    TFindDialog* ShowFindDialog(const QString& initialText);
    TFindDialog* ShowReplaceDialog(const QString& initialText, const QString& initialReplacement);
    // Looks for `text` from startPos over |length| characters (backward: before
    // startPos); returns the hit's position or -1. With stSetSelection a hit
    // is selected and scrolled into view.
    int SearchText(const QString& text, int startPos, int length, TSearchTypes options);
    // Looks for the dialog's find text from the selection in the dialog's
    // direction and selects the hit. True when found.
    bool FindWithDialog(TFindDialog* dialog, TFindPlacement placement, TFindReport report);
    // Moves a shown dialog that covers the selection above or below it.
    void PlaceFindDialog(TFindDialog* dialog);

    std::function<void(TZvCustomRichEdit*, const QString& findText)> OnTextNotFound;
    std::function<void(TZvCustomRichEdit*, TFindDialog* dialog)> OnCloseFindDialog;

Q_SIGNALS:
    void LineSumsInvalidated();

protected:
    virtual void DoTextNotFound(TFindDialog* dialog);
    virtual void DoCloseFindDialog(TFindDialog* dialog);

public:
    // Printing.
    // Prints the whole document on `printer` as one job named `Title`, page
    // after page across the printer's printable area, or across PrintArea
    // when that is not empty. Throws EInOutError when the printer cannot
    // start. A printer whose output is a PDF file writes it as a save does,
    // whole or not at all, and throws EFCreateError when it cannot.
    void PrintDocument(const QString& Title, QPrinter& printer);
    // In the printer's pixels, relative to its printable area; empty by default.
    QRect PrintArea() const { return m_printArea; }
    void setPrintArea(const QRect& value) { m_printArea = value; }

    // Events; each is called only when set and always gets the sender.
    std::function<void(TZvCustomRichEdit*)> OnChange;
    std::function<void(TZvCustomRichEdit*)> OnSelectionChange;
    std::function<void(TZvCustomRichEdit*, const QString& urlText, TMouseButton)> OnURLClick;
    std::function<void(TZvCustomRichEdit*, int startPos, int endPos, bool& allowChange)> OnProtectChange;
    std::function<void(TZvCustomRichEdit*, const TMessage&, int startPos, int endPos, bool& allowChange)>
        OnProtectChangeEx;
    std::function<void(TZvCustomRichEdit*, const QRect&)> OnResizeRequest;
    std::function<void(TZvCustomRichEdit*, int numObjects, int numChars, bool& saveClipboard)>
        OnSaveClipboard;
    std::function<void(TZvCustomRichEdit*)> OnEnter;
    std::function<void(TZvCustomRichEdit*)> OnExit;
    std::function<void(TZvCustomRichEdit*, int& key, Qt::KeyboardModifiers)> OnKeyDown;
    std::function<void(TZvCustomRichEdit*, QChar& key)> OnKeyPress; // key set to 0 swallows it
    std::function<void(TZvCustomRichEdit*, int& key, Qt::KeyboardModifiers)> OnKeyUp;
    std::function<void(TZvCustomRichEdit*, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)> OnMouseDown;
    std::function<void(TZvCustomRichEdit*, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)> OnMouseUp;
    // Before the pop-up menu shows: `position` is the character it is for, the
    // one right-clicked (-1 off the text) or the caret's for the menu key.
    std::function<void(TZvCustomRichEdit*, int position)> OnContextPopup;

protected:
    // Overridable notification hooks; each raises the event of its name when set.
    virtual void DoSelectionChange();
    virtual bool DoProtectChange(const TMessage& message, int startPos, int endPos);
    virtual bool DoSaveClipboard(int numObjects, int numChars);
    virtual void DoURLClick(const QString& urlText, TMouseButton button);
    virtual void DoResizeRequest(const QRect& rect);

    // Creation and destruction of the platform control.
    virtual void CreateWnd();
    virtual void DestroyWnd();
    RichEditStyle CreateParams() const;
    void applyTextMode();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

    // True while Lines itself replaces text: such replacements are not undoable
    // and leave the selection where the control put it.
    bool LinesUpdating = false;

private:
    friend class TRichEditStrings;

    void notifyChange() override;
    void notifySelectionChange() override;
    void notifyRequestResize(const QRect& rect) override;
    bool notifyProtected(const TMessage& message, CHARRANGE range) override;
    void notifyLink(UINT message, CHARRANGE range) override;
    void notifyContextMenu(const QPoint& globalPos, int position) override;
    bool filterKey(QKeyEvent* event, bool press);
    bool deliverMousePress(QMouseEvent* mouse);
    void applyColor();
    void askSaveClipboard();
    // The desktop given to the editor, or one with real Qt dialogs.
    Desktop& desktop();
    // The pop-up menu for a right click: the PopupMenu, with the selected
    // object's items added when AutoVerbMenu is on and one object is selected.
    QMenu* popupMenuToShow();
    // The full type name of the one selected object; empty unless exactly one is.
    QString selectedObjectTypeName();
    void openSelectedObject();

    std::unique_ptr<TRichEditStrings> m_lines;
    TZvTextAttributes m_selectionAttributes{*this, TAttributeType::atSelected};
    TZvTextAttributes m_defaultAttributes{*this, TAttributeType::atDefaultText};
    TZvTextAttributes m_wordAttributes{*this, TAttributeType::atWord};
    TZvParaAttributes m_paragraphAttributes{*this};
    std::unique_ptr<RichEditControl> m_control;
    // The document while no control exists, with its modified flag.
    std::unique_ptr<QTextDocument> m_savedDocument;
    bool m_savedModified = false;

    // The selected object's items of the last pop-up menu; they go with it.
    std::unique_ptr<QMenu> m_objectVerbMenu;
    // Pictures handed to the desktop's viewer, removed with the editor.
    std::unique_ptr<QTemporaryDir> m_objectFiles;
    int m_objectFilesWritten = 0;

    bool m_allowObjects = true;
    bool m_allowInPlace = true;
    bool m_autoURLDetect = true;
    bool m_autoVerbMenu = true;
    bool m_hideScrollBars = true;
    bool m_hideSelection = true;
    TRichLangOptions m_langOptions = unsigned(TRichLangOption::rlAutoFont);
    bool m_plainText = false;
    TScrollStyle m_scrollBars = TScrollStyle::ssBoth;
    bool m_selectionBar = true;
    QString m_title;
    int m_undoLimit = 100;
    bool m_wordSelection = true;
    bool m_wordWrap = true;
    int m_maxLength = 0;
    bool m_readOnly = false;
    bool m_wantTabs = false;
    TColor m_color = clWindow;
    QMenu* m_popupMenu = nullptr;
    SpellChecker* m_spellChecker = nullptr;
    CHARRANGE m_linkRange = NoRange;
    TMouseButton m_linkButton = TMouseButton::mbLeft;
    QRect m_printArea;

    TFindDialog* showFindDialog(FindDialogKind kind, const QString& initialText);
    void replaceWithDialog(TFindDialog* dialog);
    void replaceAllWithDialog(TFindDialog* dialog);
    // True when the selection is a hit of the dialog's search, as its options say.
    bool selectionIsHit(const TFindDialog* dialog);
    Desktop* m_desktop = nullptr;
    std::vector<std::pair<CountOfLine, QPointer<BlockTally>>> m_lineSums;
    QPointer<TFindDialog> m_findDialog;    // made on first use, a child of the editor
    QPointer<TFindDialog> m_replaceDialog; // made on first use, a child of the editor
};
