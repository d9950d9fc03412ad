// The status bar's refreshers and the two timers of the main window.

#include "app/TMainform.h"

#include "app/TStatusBar.h"

#include <QLocale>
#include <QTime>

namespace {

// The editor's lines are read into a buffer of this many characters.
constexpr qsizetype LineReadLimit = 4096;

// The words of one of the editor's lines: the line is cut to what the line
// buffer holds, characters with codes up to 32 are trimmed from both ends, and
// only the blank separates words, so a tab inside a line belongs to a word.
int wordsOfLine(QStringView line)
{
    line = line.left(LineReadLimit);
    while (!line.isEmpty() && line.front().unicode() <= 32)
        line = line.mid(1);
    while (!line.isEmpty() && line.back().unicode() <= 32)
        line.chop(1);
    int words = 0;
    bool insideWord = false;
    for (const QChar character : line) {
        if (character == u' ')
            insideWord = false;
        else if (!insideWord) {
            ++words;
            insideWord = true;
        }
    }
    return words;
}

} // namespace

void TMainform::ShowCaretPosition()
{
    const TPoint position = editor->LinePosition(editor->SelectionStart());
    StatusBar1->setPanelText(1, QStringLiteral("%1:%2").arg(position.Y).arg(position.X));
}

void TMainform::ShowCharCount()
{
    // The length of the editor's Text, paragraph breaks as the CR LF it returns,
    // without building the text.
    StatusBar1->setPanelText(2, QStringLiteral("Celkem zn.=") + QString::number(editor->GetTextLen()));
}

void TMainform::ShowWordCount()
{
    // The words of every line, kept per paragraph: a refresh recounts only the
    // paragraphs changed since the last one, whatever the document's length.
    StatusBar1->setPanelText(3,
                             QStringLiteral("Počet slov = ") + QString::number(editor->LineSum(wordsOfLine)));
}

void TMainform::queueStatusRefresh()
{
    // The editor reports an edit or a caret move before a key or a paste has
    // finished its work, and some commands make many: the panels are filled
    // once, from the text and the caret as the event leaves them.
    if (m_statusRefreshQueued)
        return;
    m_statusRefreshQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_statusRefreshQueued = false;
            ShowCaretPosition();
            ShowCharCount();
            ShowWordCount();
        },
        Qt::QueuedConnection);
}

void TMainform::ShowModifiedFlag()
{
    StatusBar1->setPanelText(4, editor->IsModified() ? QStringLiteral("Změněno") : QString());
}

void TMainform::Timer1Timer(QObject*)
{
    const QLocale locale;
    StatusBar1->setPanelText(5, locale.toString(QTime::currentTime(), LongTimeFormat(locale)) +
                                    QStringLiteral("        "));
    ShowModifiedFlag();
}

void TMainform::Timer2Timer(QObject*)
{
    if (CurrentFileName.isEmpty())
        return;
    // A failed save raises before the beep, so only a written file beeps.
    SaveDocument(CurrentFileName);
    m_desktop.messageBeep(0);
    editor->setFocus();
}
