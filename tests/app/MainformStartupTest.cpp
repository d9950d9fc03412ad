// Start-up with and without a document on the command line, the error log,
// and exceptions of handlers arriving at the error handler.

#include "tests/app/MainformFixture.h"
#include "tests/TestFiles.h"

#include "platform/ZvApplication.h"
#include "platform/ZvExceptions.h"
#include "widgets/TIntSpinEdit.h"

#include <QFile>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>

namespace {

const QString errorMessage = QStringLiteral("Pozor, v programu došlo k nečekané chybě.\r\n"
                                            "Informace o chybě najdete v souboru error.log .\r\n"
                                            "Pokud se toto chybové hlášení zobrazí vícekrát,\r\n"
                                            "prosím pošlete mi tento soubor na tuto adresu\r\n"
                                            "zorvan@example.org");

// One log line: Czech short date, blank, long time, then class and message.
const QRegularExpression
    logLine(QStringLiteral("^\\d{2}\\.\\d{2}\\.\\d{2} \\d{1,2}:\\d{2}:\\d{2} : (\\w+) - ([^\\r\\n]*)\\r\\n"));

} // namespace

class MainformStartupTest : public MainformFixture
{
};

TEST_F(MainformStartupTest, WithoutParametersTheWindowStartsEmptyAndUnnamed)
{
    TMainform& window = createForm();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Zorvan"));
    EXPECT_TRUE(window.CurrentFileName.isEmpty());
    EXPECT_EQ(window.ProgramFolder, programFolder());
    EXPECT_EQ(window.ClipartFolder, programFolder() + QStringLiteral("clipart/"));
    EXPECT_EQ(window.OpenPictureDialog1.initialDir, window.ClipartFolder);
    EXPECT_FALSE(window.editor->IsModified());
    EXPECT_TRUE(desktop.calls().empty());
}

TEST_F(MainformStartupTest, OneParameterOpensThatDocument)
{
    const QString path = programPath(QStringLiteral("dopis.txt"));
    writeFile(path, QStringLiteral("Vážený pane,\r\nděkuji.").toUtf8());
    TMainform& window = createForm({path});
    EXPECT_EQ(window.CurrentFileName, path);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Zorvan-") + path);
    EXPECT_EQ(window.editor->Text(), QStringLiteral("Vážený pane,\r\nděkuji."));
    EXPECT_FALSE(window.editor->IsModified());
    EXPECT_EQ(window.editor->SelectionStart(), 0);
    EXPECT_TRUE(desktop.calls().empty());
}

// The start's default indents belong to a new document: an opened letter
// whose first paragraph is right-aligned is saved with it where it was.
TEST_F(MainformStartupTest, AnOpenedDocumentIsSavedWithItsFirstParagraphUnmoved)
{
    const QString path = programPath(QStringLiteral("dopis.rtf"));
    writeFile(path, QByteArrayLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}"
                                      "\\pard\\qr\\f0 Jana\\par\\pard\\qr Brno\\par}"));
    TMainform& window = createActiveForm({path});
    QTest::keyClick(window.editor->control(), Qt::Key_S, Qt::ControlModifier);
    const QByteArray saved = contentsOf(path);
    EXPECT_TRUE(saved.contains("\\pard\\qr \\plain")) << saved.constData();
    EXPECT_FALSE(saved.contains("\\ri")) << saved.constData();
    EXPECT_FALSE(saved.contains("\\li")) << saved.constData();
}

TEST_F(MainformStartupTest, TheToolBarShowsTheOpenedDocumentsFormatAtTheCaret)
{
    const QString path = programPath(QStringLiteral("dopis.rtf"));
    writeFile(path, QByteArrayLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 DejaVu Serif;}}"
                                      "\\pard\\f1\\fs40\\b Nadpis\\par}"));
    TMainform& window = createActiveForm({path});
    EXPECT_EQ(window.fontybox->FontName(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(window.velikostpisma->value(), 20);
    EXPECT_TRUE(window.tucne->isChecked());
}

TEST_F(MainformStartupTest, ADocumentThatIsNotUtf8IsReadAsWindows1250)
{
    const QString path = programPath(QStringLiteral("stary.txt"));
    writeFile(path, QByteArray("\x8Elu\x9D"
                               "ou\xE8k\xFD k\xF9\xF2")); // "Žluťoučký kůň" in Windows-1250
    TMainform& window = createForm({path});
    EXPECT_EQ(window.editor->Text(), QStringLiteral("Žluťoučký kůň"));
}

TEST_F(MainformStartupTest, AUtf8ByteOrderMarkIsNotPartOfTheText)
{
    const QString path = programPath(QStringLiteral("bom.txt"));
    writeFile(path, QByteArray("\xEF\xBB\xBFtext"));
    TMainform& window = createForm({path});
    EXPECT_EQ(window.editor->Text(), QStringLiteral("text"));
}

TEST_F(MainformStartupTest, TwoParametersOpenNothing)
{
    const QString first = programPath(QStringLiteral("a.txt"));
    const QString second = programPath(QStringLiteral("b.txt"));
    writeFile(first, "A");
    writeFile(second, "B");
    TMainform& window = createForm({first, second});
    EXPECT_TRUE(window.CurrentFileName.isEmpty());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Zorvan"));
    EXPECT_EQ(window.editor->Text(), QString());
}

TEST_F(MainformStartupTest, AnUnreadableDocumentIsLoggedAndTheWindowOpensUnnamed)
{
    const QString path = programPath(QStringLiteral("chybí.txt"));
    TMainform& window = createForm({path});
    EXPECT_TRUE(window.CurrentFileName.isEmpty()); // nothing may later be saved over it
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Zorvan"));
    // The file and its fault come after the message's first line.
    QStringList lines = errorMessage.split(QStringLiteral("\r\n"));
    lines.insert(1, QStringLiteral("Soubor „%1“ neexistuje.").arg(path));
    EXPECT_EQ(desktop.messageTexts(), QStringList{lines.join(QStringLiteral("\r\n"))});
    const QRegularExpressionMatch match =
        logLine.match(QString::fromUtf8(contentsOf(programPath("error.log"))));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_EQ(match.captured(1), QStringLiteral("EFOpenError"));
    EXPECT_TRUE(match.captured(2).contains(path));
    EXPECT_FALSE(window.editor->IsModified());
}

TEST_F(MainformStartupTest, LogExceptionCreatesTheLogWithOneLineAndShowsTheMessage)
{
    TMainform& window = createForm();
    ASSERT_FALSE(QFile::exists(programPath(QStringLiteral("error.log"))));
    window.LogException(&window, EOutOfResources(QStringLiteral("Failed to Load Stream")));
    const QString log = QString::fromUtf8(contentsOf(programPath(QStringLiteral("error.log"))));
    const QRegularExpressionMatch match = logLine.match(log);
    ASSERT_TRUE(match.hasMatch()) << log.toStdString();
    EXPECT_EQ(match.capturedLength(), log.size()); // exactly one line
    EXPECT_EQ(match.captured(1), QStringLiteral("EOutOfResources"));
    EXPECT_EQ(match.captured(2), QStringLiteral("Failed to Load Stream"));
    ASSERT_EQ(desktop.calls().size(), 1u);
    EXPECT_EQ(desktop.calls()[0].text, errorMessage);
    EXPECT_EQ(desktop.calls()[0].text.split(QStringLiteral("\r\n")).size(), 5);
}

TEST_F(MainformStartupTest, LogExceptionAppendsAndNeverTruncates)
{
    TMainform& window = createForm();
    writeFile(programPath(QStringLiteral("error.log")), "earlier line\r\n");
    window.LogException(&window, EFOpenError(QStringLiteral("první")));
    window.LogException(&window, EConvertError(QStringLiteral("druhá")));
    const QString log = QString::fromUtf8(contentsOf(programPath(QStringLiteral("error.log"))));
    const QStringList lines = log.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4); // three lines and the empty rest after the last CR LF
    EXPECT_EQ(lines[0], QStringLiteral("earlier line"));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(" : EFOpenError - první"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral(" : EConvertError - druhá"))) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].isEmpty());
    EXPECT_EQ(desktop.messageTexts().size(), 2);
}

TEST_F(MainformStartupTest, WithoutAWritableLogTheMessageIsStillShown)
{
    TMainform& window = createForm();
    window.ProgramFolder = programPath(QStringLiteral("missing/"));
    window.LogException(&window, EOleError(QStringLiteral("x")));
    EXPECT_FALSE(QFile::exists(programPath(QStringLiteral("missing/error.log"))));
    EXPECT_EQ(desktop.messageTexts(), QStringList{errorMessage});
}

TEST_F(MainformStartupTest, AnExceptionEscapingAHandlerIsLoggedThroughTheApplication)
{
    TMainform& window = createForm();
    auto* button = new QPushButton(window.centralWidget());
    QObject::connect(button, &QPushButton::clicked, [] { throw EOleError(QStringLiteral("Chyba objektu")); });
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    ZvApplication::deliverGuarded(button, &press);
    ZvApplication::deliverGuarded(button, &release);
    const QString log = QString::fromUtf8(contentsOf(programPath(QStringLiteral("error.log"))));
    EXPECT_TRUE(log.endsWith(QStringLiteral(" : EOleError - Chyba objektu\r\n"))) << log.toStdString();
    EXPECT_EQ(desktop.messageTexts(), QStringList{errorMessage});
}

TEST_F(MainformStartupTest, TheErrorHandlerIsRemovedWithTheWindow)
{
    createForm();
    form.reset();
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked, [] { throw EOleError(QStringLiteral("x")); });
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    ZvApplication::deliverGuarded(&button, &press);
    EXPECT_NO_THROW(ZvApplication::deliverGuarded(&button, &release));
    EXPECT_TRUE(desktop.calls().empty());
}
