// The default character format of a new document: what the editor shows, what
// the tool bar shows and what Save writes are one and the same, so a document
// looks the same when it is opened again.

#include "tests/app/MainformFixture.h"

#include "editcontrol/RichEditControl.h"
#include "widgets/TIntSpinEdit.h"

#include <QComboBox>
#include <QGlyphRun>
#include <QRawFont>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>

namespace {

constexpr int RichTextType = 1; // "Textové dokumenty(*.rtf;*.doc;*.zvd)"

// A character as the editor draws it and as its format record reports it.
struct ShownCharacter
{
    qreal pixelSize = 0;
    QString drawnFamily;
    LONG twips = 0;
    QString face;
    friend bool operator==(const ShownCharacter&, const ShownCharacter&) = default;
};

void PrintTo(const ShownCharacter& shown, std::ostream* out)
{
    *out << shown.pixelSize << " px " << shown.drawnFamily.toStdString() << ", " << shown.twips << " twips "
         << shown.face.toStdString();
}

ShownCharacter shownAt(TZvRichEdit& editor, int position)
{
    ShownCharacter shown;
    const QTextBlock block = editor.control()->document()->findBlock(position);
    const QList<QGlyphRun> runs = block.layout()->glyphRuns(position - block.position(), 1);
    if (!runs.isEmpty()) {
        shown.pixelSize = runs.first().rawFont().pixelSize();
        shown.drawnFamily = runs.first().rawFont().familyName();
    }
    editor.SelectRange(position, position + 1, false);
    CHARFORMAT2A format;
    editor.control()->GetCharFormat(SCF_SELECTION, format);
    shown.twips = format.yHeight;
    shown.face = QString::fromUtf8(format.szFaceName);
    return shown;
}

// Types `text` key by key, as the user does (Latin-1 letters have key codes of
// their own upper-case letter).
void typeInto(QWidget* widget, const QString& text)
{
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(character.toUpper().unicode()), QString(character),
                            Qt::NoModifier);
}

class MainformDefaultFormatTest : public MainformFixture
{
};

TEST_F(MainformDefaultFormatTest, TypedTextOpensAgainAsItWasShownAndAsTheSizeBoxSays)
{
    TMainform& window = createForm();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    typeInto(window.editor->control(), QStringLiteral("Nový dopis"));
    ASSERT_EQ(window.editor->Text(), QStringLiteral("Nový dopis"));
    const ShownCharacter typed = shownAt(*window.editor, 2);
    ASSERT_GT(typed.pixelSize, 0);
    EXPECT_EQ(typed.twips, window.velikostpisma->value() * 20) << "the size box shows the typed size";
    EXPECT_EQ(window.fontybox->currentText(), typed.drawnFamily) << "the font box shows the typed face";

    const QString path = programPath(QStringLiteral("dopis.rtf"));
    desktop.queueFileDialogAnswer(path, RichTextType);
    window.ulozitClick(window.ulozit);
    desktop.queueFileDialogAnswer(path, RichTextType);
    window.otevritClick(window.otevrit);
    ASSERT_EQ(window.editor->Text(), QStringLiteral("Nový dopis"));
    EXPECT_EQ(desktop.unansweredCalls(), 0);

    EXPECT_EQ(shownAt(*window.editor, 2), typed);
}

} // namespace
