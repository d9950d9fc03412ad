// Inserting pictures and objects from the main window, and pasting plain text.

#include "tests/app/MainformFixture.h"
#include "tests/TestFiles.h"

#include "format/TextFormatProperties.h"
#include "editcontrol/RichEditControl.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QScopeGuard>
#include <QScreen>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QToolButton>

namespace {

class MainformPictureTest : public MainformFixture
{
protected:
    // A picture file of `format` in the program folder, a red 3 x 2 picture.
    QString pictureFile(const QString& name, const char* format)
    {
        QImage image(3, 2, QImage::Format_RGB32);
        image.fill(Qt::red);
        const QString path = programPath(name);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }

    // The clipboard as the user left it: text in two formats and one of
    // another program's own.
    static void putUsersClipboard()
    {
        auto* data = new QMimeData;
        data->setText(QStringLiteral("zkopírováno"));
        data->setHtml(QStringLiteral("<b>zkopírováno</b>"));
        data->setData(QStringLiteral("application/x-jiny-program"), QByteArray("\x01\x02", 2));
        QApplication::clipboard()->setMimeData(data);
    }

    static void expectUsersClipboard()
    {
        const QMimeData* data = QApplication::clipboard()->mimeData();
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(data->text(), QStringLiteral("zkopírováno"));
        EXPECT_EQ(data->html(), QStringLiteral("<b>zkopírováno</b>"));
        EXPECT_EQ(data->data(QStringLiteral("application/x-jiny-program")), QByteArray("\x01\x02", 2));
        EXPECT_FALSE(data->hasImage());
    }

    // The object characters of the editor's document.
    static int objectCount(TMainform& window)
    {
        return int(window.editor->Text().count(QChar::ObjectReplacementCharacter));
    }
};

} // namespace

TEST_F(MainformPictureTest, APictureGoesInAtTheCaretAndTheUsersClipboardComesBack)
{
    TMainform& window = createForm();
    window.editor->setText(QStringLiteral("předpo"));
    window.editor->SelectRange(5, 5, false);
    putUsersClipboard();
    desktop.queueFileDialogAnswer(pictureFile(QStringLiteral("obrazek.png"), "PNG"));
    window.ToolButton24Click(window.ToolButton24);

    EXPECT_EQ(window.editor->Text(), QStringLiteral("předp") + QChar::ObjectReplacementCharacter + u'o');
    const auto dialogs = desktop.callsOf(ScriptedDesktop::CallKind::OpenPictureDialog);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].dialog.initialDir, programFolder() + QStringLiteral("clipart/"));
    EXPECT_TRUE(desktop.messageTexts().isEmpty());
    // The picture keeps its PNG bytes for the saved document.
    window.editor->SelectRange(5, 6, false);
    const QTextImageFormat picture = window.editor->control()->SelectedObject();
    ASSERT_TRUE(picture.isValid());
    EXPECT_EQ(picture.property(TextFormatProperties::ObjectPictureData).toByteArray(),
              contentsOf(programPath(QStringLiteral("obrazek.png"))));
    expectUsersClipboard();
}

// The picture dialog offers only files that inserting takes: each kind it
// lists goes into the document, icons included.
TEST_F(MainformPictureTest, EveryKindThePictureDialogOffersIsInserted)
{
    TMainform& window = createActiveForm();
    desktop.queueFileDialogCancel();
    chooseFromMenu(window.Vloit2, window.Obrzek1);
    const auto dialogs = desktop.callsOf(ScriptedDesktop::CallKind::OpenPictureDialog);
    ASSERT_EQ(dialogs.size(), 1u);
    const QStringList offered = dialogs[0].dialog.filters.front().patterns.split(u';');
    ASSERT_GE(offered.size(), 4);
    for (const QString& pattern : offered) {
        SCOPED_TRACE(pattern.toStdString());
        const QString extension = pattern.mid(2);
        const QByteArray format = extension == u"jpg" ? "JPEG" : extension.toUpper().toLatin1();
        desktop.clear();
        desktop.queueFileDialogAnswer(pictureFile(QStringLiteral("obrazek.") + extension, format));
        const int before = objectCount(window);
        chooseFromMenu(window.Vloit2, window.Obrzek1);
        EXPECT_EQ(desktop.messageTexts(), QStringList{});
        EXPECT_EQ(objectCount(window), before + 1);
    }
}

TEST_F(MainformPictureTest, FilesThatAreNoInsertablePictureAreRefusedWithTheMessage)
{
    TMainform& window = createForm();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImage(40, 40, QImage::Format_RGB32).save(&buffer, "PNG");
    QByteArray jpeg;
    QBuffer jpegBuffer(&jpeg);
    jpegBuffer.open(QIODevice::WriteOnly);
    QImage(64, 64, QImage::Format_RGB32).save(&jpegBuffer, "JPEG");
    const struct
    {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"poskozeny.png", png.left(png.size() / 2)},
        {"useknuty.jpg", jpeg.left(jpeg.size() / 3)},
        {"text.txt", QByteArray("není obrázek")},
        {"prazdny.png", QByteArray()},
    };
    window.editor->setText(QStringLiteral("text"));
    putUsersClipboard();
    for (const auto& file : files) {
        desktop.clear();
        const QString path = programPath(QString::fromLatin1(file.name));
        writeFile(path, file.bytes);
        desktop.queueFileDialogAnswer(path);
        window.Obrzek1Click(window.Obrzek1);
        const auto boxes = desktop.callsOf(ScriptedDesktop::CallKind::MessageBox);
        ASSERT_EQ(boxes.size(), 1u) << file.name;
        EXPECT_EQ(boxes[0].text, QStringLiteral("Tento typ obrázku nelze vložit")) << file.name;
        EXPECT_EQ(boxes[0].caption, QStringLiteral("Error"));
        EXPECT_EQ(boxes[0].flags, MB_OK | MB_ICONERROR);
        EXPECT_EQ(window.editor->Text(), QStringLiteral("text")) << file.name;
        expectUsersClipboard();
    }
}

TEST_F(MainformPictureTest, WithoutObjectsAllowedAPictureIsRefusedAndTheObjectDialogIsNotShown)
{
    TMainform& window = createForm();
    window.editor->setAllowObjects(false);
    desktop.queueFileDialogAnswer(pictureFile(QStringLiteral("obrazek.bmp"), "BMP"));
    window.VloitBitmapu1Click(window.Obrzek2);
    EXPECT_EQ(desktop.messageTexts(), QStringList{QStringLiteral("Tento typ obrázku nelze vložit")});
    window.Dal3Click(window.Dal3);
    EXPECT_TRUE(desktop.callsOf(ScriptedDesktop::CallKind::InsertObjectDialog).empty());
    EXPECT_EQ(objectCount(window), 0);
}

TEST_F(MainformPictureTest, TheInsertObjectDialogInsertsTheChosenPictureSelected)
{
    TMainform& window = createForm();
    window.editor->setText(QStringLiteral("ab"));
    window.editor->SelectRange(1, 1, false);
    desktop.queueFileDialogAnswer(pictureFile(QStringLiteral("foto.jpg"), "JPEG"));
    window.Dal2Click(window.Dal2);
    EXPECT_EQ(window.editor->Text(), QStringLiteral("a") + QChar::ObjectReplacementCharacter + u'b');
    EXPECT_EQ(window.editor->SelectionStart(), 1);
    EXPECT_EQ(window.editor->SelectionLength(), 1);
    EXPECT_EQ(window.editor->SelectionKind(), TSelectionKind(stObject));
    EXPECT_EQ(
        window.editor->control()->SelectedObject().stringProperty(TextFormatProperties::ObjectPictureKind),
        QStringLiteral("jpeg"));
}

TEST_F(MainformPictureTest, PasteAsPlainTextDropsTheFormatsOfTheClipboard)
{
    TMainform& window = createForm();
    window.show();
    window.editor->setFocus();
    auto* data = new QMimeData;
    data->setHtml(QStringLiteral("<b>tučně</b>"));
    data->setText(QStringLiteral("tučně"));
    QApplication::clipboard()->setMimeData(data);
    ASSERT_TRUE(window.Vloitjakoprostytext1->isEnabled());
    window.Vloitjakoprostytext1->trigger();
    EXPECT_EQ(window.editor->Text(), QStringLiteral("tučně"));
    window.editor->SelectRange(1, 2, false);
    EXPECT_FALSE(window.editor->SelectionAttributes().StyleFlags() & fsBold);
}

// A picture taller than its line's exact height is drawn over the lines above
// it; pushed down by Enter, it must leave no copies of itself behind.
TEST_F(MainformPictureTest, APictureStandingOutOfItsLineLeavesNoCopiesWhenMovedDown)
{
    // A steady caret, the same in both pictures.
    const auto flashTime =
        qScopeGuard([time = QApplication::cursorFlashTime()] { QApplication::setCursorFlashTime(time); });
    QApplication::setCursorFlashTime(0);
    TMainform& window = createActiveForm();
    window.editor->ParagraphAttributes().setLineSpacing(12);
    window.editor->ParagraphAttributes().setLineSpacingRule(4);
    desktop.queueFileDialogAnswer(QStringLiteral(ZORVAN_PROGRAM_DIR "clipart/slunce.png"));
    chooseFromMenu(window.Vloit2, window.Obrzek1);
    ASSERT_EQ(objectCount(window), 1);
    QWidget* text = window.editor->control();
    QTest::keyClick(text, Qt::Key_Home);
    for (int enter = 0; enter < 3; ++enter) {
        QTest::keyClick(text, Qt::Key_Return);
        QApplication::processEvents();
    }
    // What the window shows now (its backing store), beside the editor drawn afresh.
    QWidget* area = window.editor->control()->viewport();
    const QPoint origin = area->mapTo(&window, QPoint(0, 0));
    const QImage shown =
        window.screen()
            ->grabWindow(window.winId(), origin.x(), origin.y(), area->width(), area->height())
            .toImage();
    const QImage fresh = area->grab().toImage();
    ASSERT_EQ(shown.size(), fresh.size());
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32), fresh.convertToFormat(QImage::Format_RGB32));
}
