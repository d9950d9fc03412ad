// The insert, search and clipboard commands of the main window and the
// editor's input events.

#include "app/TMainform.h"

#include "platform/ClipboardSnapshot.h"
#include "platform/TPicture.h"
#include "platform/ZvExceptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTime>
#include <QLocale>
#include <QMimeData>

// The dialogs keep the texts they last held; an open one comes to the front.
void TMainform::Najtvtextu1Click(QObject*)
{
    editor->ShowFindDialog(QString());
}

void TMainform::Najtvtextu2Click(QObject* Sender)
{
    Najtvtextu1Click(Sender);
}

void TMainform::Nahradittext1Click(QObject*)
{
    editor->ShowReplaceDialog(QString(), QString());
}

void TMainform::Nahradittext2Click(QObject* Sender)
{
    Nahradittext1Click(Sender);
}
// Undo and redo leave the focus where it is.
void TMainform::undoClick(QObject*)
{
    editor->Undo();
}
void TMainform::redoClick(QObject*)
{
    editor->Redo();
}
void TMainform::Zpt2Click(QObject* Sender)
{
    undoClick(Sender);
}
void TMainform::Vped1Click(QObject* Sender)
{
    redoClick(Sender);
}
void TMainform::Vybratve1Click(QObject*)
{
    editor->setSelectionStart(0);
    editor->setSelectionLength(editor->GetTextLen());
    editor->setFocus();
}
// The date and time go into a new last line, wherever the caret is.
void TMainform::Datum1Click(QObject*)
{
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime();
    QString text = locale.toString(now.date(), QLocale::ShortFormat);
    // Midnight shows the date alone.
    if (now.time() != QTime(0, 0))
        text += u' ' + locale.toString(now.time(), LongTimeFormat(locale));
    editor->Lines().Add(text);
    editor->setFocus();
}
namespace {

// A picture as the clipboard carries it: a bitmap, as every program pastes
// it, with a PNG or JPEG file's own bytes beside it, so that the document
// keeps such a picture as its file holds it.
QMimeData* pictureMimeData(const TPicture& picture)
{
    auto* data = new QMimeData;
    data->setImageData(picture.Image());
    const QString kind = picture.StoredKind();
    if (!kind.isEmpty())
        data->setData(QStringLiteral("image/") + kind, picture.FileData());
    return data;
}

} // namespace

// The picture goes in as a paste of it from the clipboard, as it does in any
// program; whatever the user had copied is put back afterwards, so that
// inserting a picture never costs the user a copied text.
void TMainform::Obrzek1Click(QObject*)
{
    ClipartFolder = ProgramFolderPath() + QStringLiteral("clipart/");
    OpenPictureDialog1.initialDir = ClipartFolder;
    if (!m_desktop.openPictureDialog(OpenPictureDialog1))
        return;
    if (!pastePicture(OpenPictureDialog1.fileName))
        m_desktop.messageBox(QStringLiteral("Tento typ obrázku nelze vložit"), QStringLiteral("Error"),
                             MB_OK | MB_ICONERROR);
}
bool TMainform::pastePicture(const QString& fileName)
{
    TPicture picture;
    try {
        picture.LoadFromFile(fileName);
    } catch (const EInvalidGraphic& error) {
        if (error.fileFault()) // a file that cannot be read is no question of its type
            throw;
        return false;
    }
    const int expectedLength = editor->CharCount() - editor->SelectionLength() + 1;
    const ClipboardSnapshot previous;
    QApplication::clipboard()->setMimeData(pictureMimeData(picture));
    editor->PasteFromClipboard();
    previous.restore();
    return editor->CharCount() == expectedLength;
}
void TMainform::ToolButton24Click(QObject* Sender)
{
    Obrzek1Click(Sender);
}
void TMainform::VloitBitmapu1Click(QObject* Sender)
{
    Obrzek1Click(Sender);
}
void TMainform::Vloitdatumaas1Click(QObject* Sender)
{
    Datum1Click(Sender);
}
void TMainform::Dal2Click(QObject*)
{
    editor->ShowInsertObjectDialog();
    editor->setFocus();
}
void TMainform::Dal3Click(QObject* Sender)
{
    Dal2Click(Sender);
}
void TMainform::Vloitjakoprostytext1Click(QObject*)
{
    runEditAction(EditControl::Command::PastePlainText);
}
// The ruler follows the paragraph whenever the editor gets the focus.
void TMainform::editorEnter(QObject*)
{
    editorSelectionChange(this);
}
// The arrow keys refresh the formatting controls before the caret moves;
// other keys leave them as they are.
void TMainform::editorKeyDown(QObject*, int& Key, Qt::KeyboardModifiers)
{
    switch (Key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        UpdateFormatControls();
        break;
    default:
        break;
    }
}
// Runs before the editor inserts the character; the status bar shows it
// once the editor reports the edit.
void TMainform::editorKeyPress(QObject*, QChar&)
{
    if (htmlsyntax->isChecked())
        RunHtmlPlugin(editor);
}
// Runs after the editor has placed the caret for the click; the status bar
// follows the caret by itself.
void TMainform::editorMouseDown(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    UpdateFormatControls();
}
// A link's text goes to the desktop only when it is a web or mail address:
// text that merely looks like a link must not start a program, and a local
// file is opened only when the user says so.
void TMainform::editorURLClick(QObject*, const QString& URLText, TMouseButton)
{
    const QString link = URLText.trimmed();
    if (link.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
        m_desktop.shellExecuteOpen(QStringLiteral("http://") + link);
        return;
    }
    const QString scheme = link.section(u':', 0, 0).toLower();
    static const QStringList webAndMail = {QStringLiteral("http"), QStringLiteral("https"),
                                           QStringLiteral("ftp"), QStringLiteral("mailto")};
    if (link.contains(u':') && webAndMail.contains(scheme)) {
        m_desktop.shellExecuteOpen(link);
        return;
    }
    if (scheme == QLatin1String("file") &&
        m_desktop.messageBox(
            QStringLiteral("Odkaz vede na soubor v tomto počítači:\n%1\n\nOtevřít ho?").arg(link),
            QStringLiteral("Zorvan"), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
        m_desktop.shellExecuteOpen(link);
}
