// The document commands of the main window: new, open, save and save as, with
// the unsaved-changes question, the plain-text rules and the caption.

#include "app/TMainform.h"

#include "richedit/TZvRichEdit.h"

#include <QCheckBox>

namespace {

const QString CaptionPrefix = QStringLiteral("Zorvan - ");

} // namespace

int TMainform::askSaveChanges()
{
    return m_desktop.messageBox(QStringLiteral("Uložit změny?"), QStringLiteral("Potvrzení"),
                                MB_YESNOCANCEL | MB_ICONQUESTION);
}

void TMainform::saveChanges()
{
    if (!CurrentFileName.isEmpty())
        SaveDocument(CurrentFileName);
    else
        SaveDocumentAs(CurrentFileName);
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
    if (!m_desktop.saveFileDialog(SaveDialog1))
        return false;
    FileName = SaveDialog1.fileName;
    if (SaveDialog1.filterIndex == 4) { // "Neformátovaný text(*.txt)"
        editor->SetPlainText(true);
        editor->setIsModified(false);
    }
    const bool result = SaveDocument(FileName);
    setWindowTitle(CaptionPrefix + FileName);
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
            saveChanges();
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

void TMainform::loadChosenDocument()
{
    // The whole file is read before anything changes, so a file that cannot be
    // read leaves the document as it was: its text, formatting, mode, modified
    // flag, name and caption.
    const QByteArray content = TRichEditStrings::ReadFile(OpenDialog1.fileName);
    // Every type but the first ("Textové dokumenty") is read as plain text,
    // unless the file's extension decides by itself.
    if (OpenDialog1.filterIndex != 1)
        editor->SetPlainText(true);
    editor->Lines().LoadFromFileContent(OpenDialog1.fileName, content);
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
    if (!m_desktop.openFileDialog(OpenDialog1))
        return;
    if (editor->IsModified()) {
        switch (askSaveChanges()) {
        case IDCANCEL:
            return;
        case IDYES:
            // The document is loaded, but the opening is not finished: the
            // editor keeps the mode the load chose. The load itself clears the
            // modified flag, and only when it succeeds.
            saveChanges();
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
