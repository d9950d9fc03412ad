// Searching and replacing in the editor, alone or through its find and replace dialogs.

#include "richedit/TZvCustomRichEdit.h"

#include "platform/Desktop.h"
#include "editcontrol/RichEditControl.h"

#include <QScreen>
#include <QTextCursor>

#include <cstdlib>

namespace {

// Between the hit and a dialog moved off it: above the hit's top, and below it.
constexpr int GapAboveHit = 20;
constexpr int GapBelowHitTop = 40;
// The height that the hit's rectangle is given below the selection end.
constexpr int HitHeight = 20;

} // namespace

TFindDialog* TZvCustomRichEdit::ShowFindDialog(const QString& initialText)
{
    return showFindDialog(FindDialogKind::Find, initialText);
}

TFindDialog* TZvCustomRichEdit::ShowReplaceDialog(const QString& initialText,
                                                  const QString& initialReplacement)
{
    TFindDialog* dialog = showFindDialog(FindDialogKind::Replace, initialText);
    if (!initialReplacement.isEmpty())
        dialog->setReplaceText(initialReplacement);
    dialog->OnReplace = [this](TFindDialog* sender) { replaceWithDialog(sender); };
    return dialog;
}

// Makes the dialog of `kind` on first use, binds its events and shows it.
TFindDialog* TZvCustomRichEdit::showFindDialog(FindDialogKind kind, const QString& initialText)
{
    const bool finding = kind == FindDialogKind::Find;
    QPointer<TFindDialog>& dialog = finding ? m_findDialog : m_replaceDialog;
    if (!dialog) {
        dialog = desktop().createFindDialog(this, kind);
        if (const TFindDialog* other = finding ? m_replaceDialog : m_findDialog)
            dialog->setFindText(other->FindText());
    }
    if (!initialText.isEmpty())
        dialog->setFindText(initialText);
    if (EditorLibraryVersion() < 2)
        dialog->setOptions(dialog->Options() | frDown | frHideUpDown);
    dialog->OnFind = [this](TFindDialog* sender) {
        FindWithDialog(sender, TFindPlacement::MoveDialogOffHit, TFindReport::ReportNotFound);
    };
    dialog->OnClose = [this](TFindDialog* sender) { DoCloseFindDialog(sender); };
    dialog->Execute();
    return dialog;
}

int TZvCustomRichEdit::SearchText(const QString& text, int startPos, int length, TSearchTypes options)
{
    RichEditControl* edit = control();
    // The old library searched only down; this control needs the flag for that.
    DWORD flags = EditorLibraryVersion() < 2 || !(options & stBackward) ? FR_DOWN : 0;
    if (options & stWholeWord)
        flags |= FR_WHOLEWORD;
    if (options & stMatchCase)
        flags |= FR_MATCHCASE;
    FINDTEXTEX find;
    find.chrg = {startPos, startPos + std::abs(length)};
    find.lpstrText = text;
    const int hit = edit->FindTextEx(flags, find);
    if (hit >= 0 && (options & stSetSelection)) {
        edit->ExSetSel(find.chrgText);
        edit->ScrollCaret();
    }
    return hit;
}

bool TZvCustomRichEdit::FindWithDialog(TFindDialog* dialog, TFindPlacement placement, TFindReport report)
{
    // Every search starts at the selection, so a search after a hit, which
    // is selected, goes on past it.
    RichEditControl* edit = control();
    const CHARRANGE selection = edit->ExGetSel();
    const TFindOptions dialogOptions = dialog->Options();
    TSearchTypes options = stSetSelection;
    int startPos = 0;
    int length = 0;
    if (dialogOptions & frDown) {
        startPos = std::max(selection.cpMin, selection.cpMax);
        length = edit->GetTextLength() - startPos + 1;
    } else {
        options |= stBackward;
        startPos = std::min(selection.cpMin, selection.cpMax);
        length = startPos + 1;
    }
    if (dialogOptions & frMatchCase)
        options |= stMatchCase;
    if (dialogOptions & frWholeWord)
        options |= stWholeWord;
    const bool found = SearchText(dialog->FindText(), startPos, length, options) >= 0;
    if (found && placement == TFindPlacement::MoveDialogOffHit)
        PlaceFindDialog(dialog);
    if (!found && report == TFindReport::ReportNotFound)
        DoTextNotFound(dialog);
    return found;
}

void TZvCustomRichEdit::PlaceFindDialog(TFindDialog* dialog)
{
    if (!dialog->isVisible())
        return;
    RichEditControl* edit = control();
    const CHARRANGE selection = edit->ExGetSel();
    const QPoint hitTop = edit->mapToGlobal(edit->PosFromChar(selection.cpMin));
    const QPoint hitBottom = edit->mapToGlobal(edit->PosFromChar(selection.cpMax)) + QPoint(0, HitHeight);
    QRect window = dialog->windowRect();
    if (!window.contains(hitTop) && !window.contains(hitBottom))
        return;
    const QRect screenArea = screen()->geometry();
    if (window.height() + GapAboveHit < hitTop.y() - screenArea.top())
        window.moveTop(hitTop.y() - GapAboveHit - window.height());
    else if (hitTop.y() + window.height() < screenArea.top() + screenArea.height())
        window.moveTop(hitTop.y() + GapBelowHitTop);
    dialog->setPosition(window.topLeft());
}

void TZvCustomRichEdit::DoTextNotFound(TFindDialog* dialog)
{
    if (OnTextNotFound)
        OnTextNotFound(this, dialog->FindText());
}

void TZvCustomRichEdit::DoCloseFindDialog(TFindDialog* dialog)
{
    if (OnCloseFindDialog)
        OnCloseFindDialog(this, dialog);
}

// The replace dialog's replace event. The hit the user is looking at, the
// selection when it matches the search, is replaced, and the next hit is
// selected, so that the user sees what the next press replaces. With no hit
// selected, the press only finds the next one.
void TZvCustomRichEdit::replaceWithDialog(TFindDialog* dialog)
{
    if (dialog->Options() & frReplaceAll) {
        replaceAllWithDialog(dialog);
        return;
    }
    if (selectionIsHit(dialog))
        setSelectedText(dialog->ReplaceText());
    FindWithDialog(dialog, TFindPlacement::MoveDialogOffHit, TFindReport::ReportNotFound);
}

bool TZvCustomRichEdit::selectionIsHit(const TFindDialog* dialog)
{
    RichEditControl* edit = control();
    const CHARRANGE selection = edit->ExGetSel();
    if (selection.cpMin == selection.cpMax)
        return false;
    const TFindOptions options = dialog->Options();
    DWORD flags = FR_DOWN;
    if (options & frMatchCase)
        flags |= FR_MATCHCASE;
    if (options & frWholeWord)
        flags |= FR_WHOLEWORD;
    FINDTEXTEX find;
    find.chrg = selection;
    find.lpstrText = dialog->FindText();
    return edit->FindTextEx(flags, find) == selection.cpMin && find.chrgText.cpMax == selection.cpMax;
}

// Replaces every hit from the selection on. Each replacement is left selected,
// so the next search starts after it and a replacement that holds the find
// text is not found again. The selection handler and the change notification
// are told once at the end, not at each replacement.
//
// The replacements form one edit of the document, undone in one step: the
// layout of a shown document goes over every paragraph after an edit, so ten
// thousand separate edits in a long document would take minutes; one edit
// lays out the stretch between the first and the last hit once. The control
// is not painted meanwhile, so scrolling to each hit costs nothing.
void TZvCustomRichEdit::replaceAllWithDialog(TFindDialog* dialog)
{
    int count = 0;
    auto selectionHandler = std::move(OnSelectionChange);
    OnSelectionChange = nullptr;
    m_lines->EnableChangeNotifications(false);
    RichEditControl* shown = control();
    shown->setUpdatesEnabled(false);
    QTextCursor edit(shown->document());
    edit.beginEditBlock();
    bool editing = true;
    // Ends the edit, which lays the document out, before the dialog is placed by the laid-out hit.
    const auto endEdit = [&] {
        if (!editing)
            return;
        editing = false;
        edit.endEditBlock();
        shown->setUpdatesEnabled(true);
    };
    const auto restore = [&] {
        endEdit();
        m_lines->EnableChangeNotifications(true);
        OnSelectionChange = std::move(selectionHandler);
        if (count == 0)
            return;
        notifyChange();
        DoSelectionChange();
    };
    try {
        while (FindWithDialog(dialog, TFindPlacement::KeepDialog, TFindReport::Silent)) {
            setSelectedText(dialog->ReplaceText());
            ++count;
        }
        endEdit();
        if (count == 0)
            DoTextNotFound(dialog);
        else
            PlaceFindDialog(dialog);
    } catch (...) {
        restore();
        throw;
    }
    restore();
}
