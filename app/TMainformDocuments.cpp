// The document commands of the main window: new, open, save and save as, with
// the unsaved-changes question, the plain-text rules and the caption.

#include "app/TMainform.h"

#include "richedit/TZvRichEdit.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <algorithm>

namespace {

const QString CaptionPrefix = QStringLiteral("Zorvan - ");

// The 1-based type whose pattern is the extension of `fileName` ("*.rtf"); 0 for none.
int fileTypeOf(const std::vector<FileDialogFilter>& types, const QString& fileName)
{
    const QString extension = QFileInfo(fileName).suffix();
    if (extension.isEmpty())
        return 0;
    const auto type = std::find_if(types.cbegin(), types.cend(), [&](const FileDialogFilter& filter) {
        return filter.patterns.compare(QStringLiteral("*.") + extension, Qt::CaseInsensitive) == 0;
    });
    return type == types.cend() ? 0 : int(type - types.cbegin()) + 1;
}

// The whole document as RTF, and back.
QByteArray richTextOf(TZvRichEdit& editor)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TRichEditStrings& lines = editor.Lines();
    const TRichStreamFormat format = lines.StreamFormat();
    lines.setStreamFormat(TRichStreamFormat::sfRichText);
    const auto restore = qScopeGuard([&] { lines.setStreamFormat(format); });
    lines.SaveToStream(buffer);
    return buffer.data();
}

void loadRichText(TZvRichEdit& editor, const QByteArray& rtf)
{
    QBuffer buffer;
    buffer.setData(rtf);
    buffer.open(QIODevice::ReadOnly);
    TRichEditStrings& lines = editor.Lines();
    const TRichStreamFormat format = lines.StreamFormat();
    lines.setStreamFormat(TRichStreamFormat::sfRichText);
    const auto restore = qScopeGuard([&] { lines.setStreamFormat(format); });
    lines.LoadFromStream(buffer);
}

} // namespace

int TMainform::askSaveChanges()
{
    return m_desktop.messageBox(QStringLiteral("Uložit změny?"), QStringLiteral("Potvrzení"),
                                MB_YESNOCANCEL | MB_ICONQUESTION);
}

bool TMainform::saveChanges()
{
    if (!CurrentFileName.isEmpty())
        return SaveDocument(CurrentFileName);
    return SaveDocumentAs(CurrentFileName);
}

bool TMainform::SaveDocument(const QString& FileName)
{
    // Lines writes a complete new file before it replaces the old one, so a
    // failed save leaves the previous version on the disk.
    editor->Lines().SaveToFile(FileName);
    editor->setIsModified(false);
    return true;
}

bool TMainform::SaveDocumentAs(QString& FileName)
{
    SaveDialog1.fileName = FileName.isEmpty() ? QStringLiteral("nový dokument") : FileName;
    // A named document is offered under its own name with the type of its
    // extension; the type chosen last applies to a new document, or to a name
    // that no type matches.
    if (const int type = fileTypeOf(SaveDialog1.filters, FileName); type > 0)
        SaveDialog1.filterIndex = type;
    if (!m_desktop.saveFileDialog(SaveDialog1))
        return false;
    FileName = SaveDialog1.fileName;
    const bool result = SaveDialog1.filterIndex == 4 // "Neformátovaný text(*.txt)"
                            ? saveAsPlainText(FileName)
                            : SaveDocument(FileName);
    setWindowTitle(CaptionPrefix + FileName);
    return result;
}

bool TMainform::saveAsPlainText(const QString& FileName)
{
    // The file is written from the formatted document, so that it keeps the
    // list labels and the notes a plain-text file shows; then the editor turns
    // to plain text. A failed save leaves the editor as it was.
    TRichEditStrings& lines = editor->Lines();
    const TRichStreamFormat format = lines.StreamFormat();
    lines.setStreamFormat(TRichStreamFormat::sfPlainText);
    const auto restore = qScopeGuard([&] { lines.setStreamFormat(format); });
    const bool result = SaveDocument(FileName);
    editor->SetPlainText(true);
    return result;
}

void TMainform::novyClick(QObject*)
{
    if (editor->PlainText())
        editor->SetPlainText(false);
    if (editor->IsModified()) {
        switch (askSaveChanges()) {
        case IDCANCEL:
            return;
        case IDYES:
            // A save dialog cancelled keeps the document: the user asked for it to be kept.
            if (!saveChanges())
                return;
            editor->setIsModified(false);
            break;
        default:
            break;
        }
    }
    editor->Lines().Clear();
    editor->setIsModified(false);
    CurrentFileName.clear();
    setWindowTitle(CaptionPrefix);
    editor->SetPlainText(false);
    editor->setFocus();
}

void TMainform::Nov1Click(QObject* Sender)
{
    novyClick(Sender);
}

bool TMainform::refuseNonFile(const QString& path)
{
    if (!TRichEditStrings::IsNonFile(path))
        return false;
    const QString shown = QDir::toNativeSeparators(path);
    showMessage(QFileInfo(path).isDir()
                    ? QStringLiteral("„%1“ je složka, ne dokument. Vyberte soubor.").arg(shown)
                    : QStringLiteral("„%1“ není soubor s dokumentem (je to zařízení nebo roura), "
                                     "nelze ho otevřít.")
                          .arg(shown));
    return true;
}

void TMainform::loadChosenDocument()
{
    // The file is opened and read through before anything changes, so a file
    // that cannot be read leaves the document as it was: its text,
    // formatting, mode, modified flag, name and caption.
    const std::unique_ptr<QFile> file = TRichEditStrings::OpenDocumentFile(OpenDialog1.fileName);
    // The first type ("Textové dokumenty") and the last (Word and OpenDocument)
    // load rich text, every other type plain text, unless the file's extension
    // decides by itself. Switching to
    // plain text drops the formatting, and a file read through can still fail
    // to load (a damaged Word document): the document is then put back.
    const bool wasPlainText = editor->PlainText();
    const bool plainText = OpenDialog1.filterIndex != 1 && OpenDialog1.filterIndex != 6;
    const bool switches = wasPlainText != plainText;
    const QByteArray before = switches && !wasPlainText ? richTextOf(*editor) : QByteArray();
    const bool modified = editor->IsModified();
    editor->SetPlainText(plainText);
    try {
        editor->Lines().LoadFromFile(*file);
    } catch (...) {
        if (switches) {
            editor->SetPlainText(wasPlainText);
            if (!wasPlainText)
                loadRichText(*editor, before);
            editor->setIsModified(modified);
        }
        throw;
    }
    // Named only once loaded, so that neither Save nor the autosave could
    // write another text over the file.
    CurrentFileName = OpenDialog1.fileName;
    editor->setIsModified(false);
    setWindowTitle(CaptionPrefix + CurrentFileName);
}

void TMainform::finishOpening()
{
    editor->SetPlainText(false);
    editor->setIsModified(false);
    // The caret stays at the start of the document, where no selection change tells the tool
    // bar and the ruler that the text under it is another.
    editorSelectionChange(this);
    UpdateFormatControls();
    ShowCaretPosition();
    ShowCharCount();
    ShowWordCount();
    if (htmlsyntax->isChecked())
        RunHtmlPlugin(editor);
    editor->update();
    editor->setFocus();
}

void TMainform::otevritClick(QObject*)
{
    if (!m_desktop.openFileDialog(OpenDialog1) || refuseNonFile(OpenDialog1.fileName))
        return;
    if (editor->IsModified()) {
        switch (askSaveChanges()) {
        case IDCANCEL:
            return;
        case IDYES:
            // The document is loaded, but the opening is not finished: the
            // editor keeps the mode the load chose. The load itself clears the
            // modified flag, and only when it succeeds. A save dialog
            // cancelled keeps the document instead.
            if (saveChanges())
                loadChosenDocument();
            return;
        default:
            break;
        }
    }
    loadChosenDocument();
    finishOpening();
}

void TMainform::Otevt1Click(QObject* Sender)
{
    otevritClick(Sender);
}

void TMainform::ulozitClick(QObject*)
{
    saveChanges();
    editor->setFocus();
}

void TMainform::uloit1Click(QObject* Sender)
{
    ulozitClick(Sender);
}

void TMainform::Uloitjako1Click(QObject*)
{
    SaveDocumentAs(CurrentFileName);
    editor->setFocus();
}
