#pragma once

// The stand-in for the Windows rich edit control: a QTextEdit that answers the
// control's messages as typed calls with the Windows names and meanings.
//
// Positions are QTextDocument positions: a paragraph break and an embedded
// picture count one character each. "Lines" are the laid-out lines of the text,
// so with word wrap every displayed line counts. Out-of-range positions are
// clamped to the document; nothing here throws on an empty document.

#include "editcontrol/PagedDocument.h"
#include "editcontrol/RichEditClipboard.h"
#include "editcontrol/RichEditTypes.h"
#include "editcontrol/WordwiseDrag.h"

#include <QTextBlock>
#include <QTextEdit>
#include <QTextFormat>

#include <functional>
#include <optional>
#include <utility>

class BlockTally;
class RichEditLayout;
class RichEditNotify;
class SelectionBar;
class SpellChecker;
class TextLineIndex;

// The window styles a control is created with (the creation parameters).
struct RichEditStyle
{
    bool verticalScrollBar = true;
    bool horizontalScrollBar = false;
    bool disableNoScroll = false; // ES_DISABLENOSCROLL: show disabled scroll bars instead of hiding them
    bool selectionBar = true;     // ES_SELECTIONBAR: a left strip where a click selects lines
    bool noHideSelection = false; // ES_NOHIDESEL
    bool wordWrap = true;
};

class RichEditControl : public QTextEdit
{
    Q_OBJECT
public:
    explicit RichEditControl(const RichEditStyle& style, QWidget* parent = nullptr);
    ~RichEditControl() override;

    const RichEditStyle& style() const { return m_style; }
    void setNotify(RichEditNotify* sink) { m_notify = sink; }

    // Selection.
    CHARRANGE ExGetSel() const;
    void ExSetSel(CHARRANGE range); // cpMax EndOfText means the end of the text
    void SetSel(LONG start, LONG end);
    void ScrollCaret();
    WORD SelectionType() const;
    void HideSelection(bool hide, bool changeStyle);

    // Text and lines. `line` AtCaret means the line of the caret where Windows allows it.
    int GetTextLength() const; // characters, a paragraph break counting one
    // EM_GETTEXTLENGTHEX: with GTL_USECRLF a paragraph break counts two, as
    // GetText returns it; the answer costs the same for any length of text.
    LONG GetTextLengthEx(DWORD flags) const;
    LONG ExLineFromChar(LONG position) const;
    LONG LineIndex(LONG line) const;      // NoPosition when the line does not exist
    LONG LineLength(LONG position) const; // of the line holding `position`, without its break
    LONG GetLineCount() const;            // at least 1
    // Copies line `line` into `buffer`, whose first 16-bit word holds its size in
    // characters. Returns the count copied; no terminator is added.
    LONG GetLine(LONG line, char16_t* buffer) const;
    LONG GetTextRange(CHARRANGE range, char16_t* buffer) const; // zero-terminated
    QString TextRange(CHARRANGE range) const;
    QPoint PosFromChar(LONG position) const;
    // EM_SETRECT: the formatting rectangle in the control's pixels. The text
    // starts at its left and top edges and, with word wrap, wraps at its width
    // whatever the control's width. An empty rectangle gives the default again.
    void SetRect(const QRect& rect);
    QRect GetRect() const;
    QString GetText() const; // WM_GETTEXT: paragraph breaks as CR LF
    // WM_SETTEXT: replaces everything, not undoable; the text comes in the
    // default character and paragraph format.
    void SetText(const QString& text);

    // Editing.
    void ReplaceSel(bool canUndo, const QString& text);
    void ExLimitText(LONG limit);
    LONG limitText() const { return m_limit; }
    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    LONG SetUndoLimit(LONG limit); // returns the limit in force
    // Pastes the clipboard: this program's own rich text, else RTF, else a
    // picture, else plain text; the editor's limit and protected text apply.
    void Paste();
    // EM_PASTESPECIAL: CF_TEXT and CF_UNICODETEXT paste the clipboard's plain
    // text in the format at the caret; CF_BITMAP pastes its picture only.
    void PasteSpecial(UINT clipFormat);
    bool GetModify() const;
    void SetModify(bool modified);

    // Character and paragraph formats (masks select the fields that apply).
    DWORD GetCharFormat(WPARAM kind, CHARFORMAT2A& format) const;
    bool SetCharFormat(WPARAM kind, const CHARFORMAT2A& format);
    DWORD GetParaFormat(PARAFORMAT2& format) const;
    bool SetParaFormat(const PARAFORMAT2& format);

    // Searching (EM_FINDTEXTEX).
    // Searches find.chrg for find.lpstrText by the rules of TextFinder and
    // returns where the hit starts, or NoPosition; find.chrgText receives the
    // hit's range (NoRange when there is none).
    LONG FindTextEx(DWORD flags, FINDTEXTEX& find) const;

    // Page formatting (EM_FORMATRANGE).
    // Lays the text out on pages of range->rc's size and with `render` draws
    // the page that holds range->chrg.cpMin at rc on range->hdc, whatever the
    // painter's resolution. Returns the first character of the next page, or
    // the text length when that page is the last one. The layout is kept for
    // further calls with the same page size, also when the text changes in
    // between, until a call with no range, which drops it and returns 0. The
    // range's end is not consulted: pages run to the end of the text.
    LONG FormatRange(bool render, const FORMATRANGE* range);

    // Streaming through the EDITSTREAM callback, in chunks, by the rules of
    // RichEditStreaming. Returns the count of characters read or written, 0 on
    // failure with stream.dwError set. Reading leaves the modified flag as it
    // was; a whole document read empties the undo history, shows its first
    // screen early when reading takes long, and leaves the caret at the start.
    LONG StreamIn(UINT format, EDITSTREAM& stream);
    LONG StreamOut(UINT format, EDITSTREAM& stream);

    // Settings.
    DWORD GetEventMask() const { return m_eventMask; }
    DWORD SetEventMask(DWORD mask); // returns the previous mask
    // With useSystemColor the background follows the palette's base colour,
    // also when the palette changes; otherwise it is `color`. Returns the
    // previous background.
    COLORREF SetBkgndColor(bool useSystemColor, COLORREF color);
    DWORD GetOptions() const { return m_options; }
    DWORD SetOptions(WPARAM operation, DWORD options);
    bool AutoUrlDetect(bool on);
    bool GetAutoUrlDetect() const { return m_autoUrlDetect; }
    bool SetTextMode(UINT mode); // accepted only while the control is empty
    UINT GetTextMode() const { return m_textMode; }
    DWORD GetLangOptions() const { return m_langOptions; }
    void SetLangOptions(DWORD options) { m_langOptions = options; }

    // Takes over another control's document (window re-creation keeps the
    // document); the undo history is emptied and the caret goes to the start.
    void adoptDocument(QTextDocument* document);

    // A running sum over the laid-out lines (the lines GetLine reads): each
    // line's text, as GetLine copies it but without the paragraph break, goes
    // through `countOfLine`. The tally belongs to the document, survives its
    // adoption by another control, and after an edit recounts only the
    // paragraphs the edit touched. It never waits for the layout: a paragraph
    // not laid out yet counts as one line, and when the layout has measured
    // everything the tally counts again and says so (BlockTally::invalidated).
    BlockTally* lineTally(std::function<int(QStringView line)> countOfLine);

    // The detected or formatted link at a document position, as a range;
    // NoRange when there is none.
    CHARRANGE linkAt(int position) const;

    // Spell checking as the text is shown: the words `checker` finds
    // misspelled get a red wavy line; null shows none. Not owned; the control's
    // documents keep it when it adopts another.
    void setSpellChecker(SpellChecker* checker);
    // The misspelled word holding document position `position` or ending right
    // at it, as a range; NoRange when there is none or checking is off.
    // `language` receives the Windows language id it was checked in.
    CHARRANGE misspelledWordAt(int position, int* language = nullptr) const;
    // Replaces `range` with `text` in the format of the range's first character,
    // as one undo step, and leaves the caret after it; false when protected
    // text refuses it.
    bool ReplaceRange(CHARRANGE range, const QString& text);

    // Embedded objects (pictures).
    // Inserts a picture as one character at the selection, replacing it, and
    // leaves it selected. `data` holds the picture's file bytes of `kind`
    // ("png" or "jpeg"), kept for saving; empty, the picture is saved as PNG.
    // False when nothing was inserted: no objects allowed, plain-text mode, a
    // protected range or the text limit.
    bool InsertObject(const QImage& image, const QByteArray& data, const QString& kind);
    // The format of the one selected object; invalid unless the selection is
    // exactly one object.
    QTextImageFormat SelectedObject() const;
    // The picture an object's format names; null when there is none.
    QImage ObjectImage(const QTextImageFormat& format) const;

    // Whether the clipboard holds data that this control put there.
    bool ownsClipboardData() const;

    // Whether the container lets the control embed objects (on Windows, whether
    // it gave the control its OLE callback). Without it pasted and dropped
    // pictures are refused and rich text comes without its pictures and objects.
    void SetOleCallback(bool present) { m_oleCallback = present; }
    bool HasOleCallback() const { return m_oleCallback; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void dropEvent(QDropEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    // How the selection is drawn while the control has no focus.
    enum class UnfocusedSelection { PaletteDefault, Shown, Hidden };

    bool isPlainTextMode() const { return (m_textMode & TM_PLAINTEXT) != 0; }
    void connectDocument();
    int clampPosition(int position) const;
    LONG lineLengthOf(LONG line) const;
    QString fitToLimit(const QString& text, const QTextCursor& cursor) const;
    int effectiveUndoLimit() const;
    bool isProtected(CHARRANGE range) const;
    bool mayChange(const TMessage& message, CHARRANGE range);
    CHARRANGE rangeChangedByKey(const QKeyEvent* event) const;
    static bool isParagraphBreak(const QKeyEvent* event);
    // Enter: a paragraph break at the selection in the format at the caret.
    void breakParagraph();
    int characterAtPoint(const QPoint& viewportPos) const;
    CHARRANGE linkAtPoint(const QPoint& viewportPos) const; // NoRange off links
    // Automatic word selection: a plain left press outside the selection
    // starts a drag that may extend by words.
    void startWordwiseDrag(const QMouseEvent* press);
    void extendWordwise(const QPoint& viewportPos);
    void emitLink(UINT message, CHARRANGE range);
    // Pasting under this control's text limit and objects setting, and what
    // its text mode lets a paste take.
    RichEditClipboard clipboardRules() const;
    RichEditClipboard::Content pasteContent() const;
    void pasteFrom(const QMimeData& source, RichEditClipboard::Content content);
    void applyPalette();
    void applyDefaultFont();
    // A new default font or another control lays every block out again
    // without reporting a change of the contents.
    void invalidateTallies();
    // Paints the whole window with the start of the document as it stands.
    void showReadSoFar();
    RichEditLayout* textLayout() const;
    void onSelectionChanged();
    void onUndoCommandAdded();
    void onDocumentSizeChanged(const QSizeF& size);

    RichEditStyle m_style;
    RichEditNotify* m_notify = nullptr;
    TextLineIndex* m_lineIndex = nullptr; // owned by the document
    SelectionBar* m_selectionBar = nullptr;
    QRect m_formatRect;
    QColor m_background; // invalid: the palette's base colour
    UnfocusedSelection m_unfocusedSelection = UnfocusedSelection::PaletteDefault;
    // The paragraph at the top of the view and how far the view starts below its
    // top, kept while the layout measures.
    std::pair<QTextBlock, qreal> m_viewTop;
    // The pointer's shape outside links while it is over one.
    std::optional<Qt::CursorShape> m_cursorOutsideLinks;
    std::optional<WordwiseDrag> m_wordwiseDrag; // while the left button is down
    bool m_autoUrlDetect = true;
    SpellChecker* m_spellChecker = nullptr;
    bool m_oleCallback = true;
    DWORD m_eventMask = ENM_NONE;
    DWORD m_options = ECO_AUTOWORDSELECTION;
    DWORD m_langOptions = IMF_AUTOFONT;
    UINT m_textMode = TM_RICHTEXT | TM_MULTILEVELUNDO;
    static constexpr LONG InitialTextLimit = 32767;   // the Windows default until EM_EXLIMITTEXT
    static constexpr LONG DefaultTextLimit = 0x10000; // what a limit of 0 stands for

    LONG m_limit = InitialTextLimit;
    LONG m_undoLimit = 100;
    int m_undoDepth = 0; // steps that Undo may still take, at most the undo limit
    int m_redoDepth = 0;
    CHARFORMAT2A describeRange(CHARRANGE range) const;
    void setNumbering(const QTextBlock& first, const QTextBlock& last, int numbering);

    CHARRANGE m_lastSelection = NoRange;
    // The format record of the last selection asked for, until the text, its
    // formats, the default font or the selection change.
    mutable std::optional<std::pair<CHARRANGE, CHARFORMAT2A>> m_selectionFormat;
    // The pages of the last FormatRange, until a FormatRange with no range.
    std::unique_ptr<PagedDocument> m_pagedDocument;
};
