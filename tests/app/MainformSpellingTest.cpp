// Spell checking in the main window: the pop-up menu's suggestions, the
// personal word list across a restart and when its file is damaged, and the
// setting in the settings dialog, with and without a Czech dictionary.

#include "tests/app/MainformFixture.h"

#include "app/Tnastaveni.h"
#include "format/TextFormatProperties.h"
#include "spelling/SpellChecker.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTextCursor>
#include <QTimer>

#include <functional>

namespace {

const QString Wrong = QStringLiteral("přílyš");

class MainformSpellingTest : public MainformFixture
{
protected:
    void SetUp() override
    {
        MainformFixture::SetUp();
        SetDictionaryFoldersForTesting({}); // the installed ones
    }

    // A shown window with two paragraphs, each with the misspelled word, the
    // first one bold and purple; the dictionary is read when it returns.
    TMainform& windowWithText()
    {
        TMainform& window = createActiveForm();
        QTextCursor cursor(window.editor->control()->document());
        cursor.insertText(QStringLiteral("Příliš žluťoučký kůň "));
        QTextCharFormat marked;
        marked.setFontWeight(QFont::Bold);
        TextFormatProperties::setCharTextColor(marked, QColor(0x80, 0, 0x80));
        cursor.insertText(Wrong, marked);
        cursor.insertText(QStringLiteral(" úpěl.\nA zase ") + Wrong + QStringLiteral(" ódy."),
                          QTextCharFormat());
        window.Spelling->waitUntilLoaded();
        return window;
    }

    QWidget* viewport() { return form->editor->control()->viewport(); }

    QPoint pointOf(int position)
    {
        QTextCursor at(form->editor->control()->document());
        at.setPosition(position);
        return form->editor->control()->cursorRect(at).center();
    }

    // Where the n-th `word` starts.
    int nth(const QString& word, int occurrence = 0)
    {
        int start = -1;
        for (int i = 0; i <= occurrence; ++i)
            start = int(form->editor->control()->document()->toPlainText().indexOf(word, start + 1));
        return start;
    }

    // Red pixels below the n-th `word`, as the editor shows it now.
    int redUnder(const QString& word, int occurrence = 0)
    {
        QApplication::processEvents();
        const QImage shot = viewport()->grab().toImage();
        const QPoint left = pointOf(nth(word, occurrence));
        const QPoint right = pointOf(nth(word, occurrence) + int(word.size()));
        int red = 0;
        for (int y = left.y(); y <= left.y() + 12; ++y)
            for (int x = left.x(); x < right.x(); ++x) {
                const QRgb pixel = shot.pixel(x, y);
                red += qRed(pixel) > 200 && qGreen(pixel) < 80 && qBlue(pixel) < 80;
            }
        return red;
    }

    bool waitForUnderline(const QString& word, int occurrence = 0)
    {
        return QTest::qWaitFor([&] { return redUnder(word, occurrence) > 10; }, 10000);
    }

    // Chooses "Možnosti..." and lets `act` work the settings dialog.
    void inSettingsDialog(const std::function<void(Tnastaveni&)>& act)
    {
        bool shown = false;
        QTimer::singleShot(0, form.get(), [&] {
            auto* dialog = qobject_cast<Tnastaveni*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            shown = true;
            act(*dialog);
        });
        chooseFromMenu(form->Nastaven1, form->Monosti1);
        EXPECT_TRUE(shown);
    }

    // Right-clicks the character at `position` and returns the menu it opens.
    QMenu* rightClick(int position)
    {
        QTest::mouseClick(viewport(), Qt::RightButton, Qt::NoModifier, pointOf(position));
        EXPECT_TRUE(QTest::qWaitFor([&] { return form->PopupMenu1->isVisible(); }, 10000));
        return form->PopupMenu1;
    }

    void clickItem(QMenu* menu, const QString& objectName)
    {
        QAction* item = nullptr;
        for (QAction* action : menu->actions())
            if (action->objectName() == objectName)
                item = action;
        ASSERT_NE(item, nullptr) << objectName.toStdString();
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(item).center());
    }

    QStringList captions(QMenu* menu, int count)
    {
        QStringList texts;
        for (QAction* action : menu->actions().mid(0, count))
            texts.append(action->isSeparator() ? QStringLiteral("-") : action->text().remove(u'&'));
        return texts;
    }
};

TEST_F(MainformSpellingTest, SuggestionReplacesTheWordInItsFormatAsOneUndoStep)
{
    TMainform& window = windowWithText();
    const int start = nth(Wrong);
    ASSERT_TRUE(waitForUnderline(Wrong));

    QMenu* menu = rightClick(start + 2);
    const QList<QAction*> items = menu->actions();
    const int suggestions = int(std::count_if(items.begin(), items.end(), [](QAction* a) {
        return a->objectName() == QStringLiteral("SpellingSuggestion");
    }));
    ASSERT_GE(suggestions, 1);
    EXPECT_LE(suggestions, 5);
    EXPECT_EQ(items.at(0)->text(), QStringLiteral("příliš"));
    EXPECT_EQ(captions(menu, suggestions + 4).mid(suggestions),
              (QStringList{QStringLiteral("Přidat do slovníku"), QStringLiteral("Ignorovat vše"),
                           QStringLiteral("-"), QStringLiteral("Kopírovat")}));
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !menu->isVisible(); }, 10000));

    const QString mended = QStringLiteral("Příliš žluťoučký kůň příliš úpěl.");
    EXPECT_TRUE(window.editor->Text().startsWith(mended));
    window.editor->SelectRange(start, start + 6, false);
    EXPECT_TRUE(window.editor->SelectionAttributes().StyleFlags() & fsBold);
    EXPECT_EQ(window.editor->SelectionAttributes().TextColor(), TColor(0x800080));
    EXPECT_EQ(redUnder(QStringLiteral("příliš")), 0);

    QTest::keyClick(window.editor->control(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(window.editor->Text().startsWith(QStringLiteral("Příliš žluťoučký kůň přílyš úpěl.")));

    // On a right word the menu is the usual one, without the last word's items.
    menu = rightClick(nth(QStringLiteral("žluťoučký")) + 2);
    EXPECT_EQ(captions(menu, 1), QStringList{QStringLiteral("Kopírovat")});
    menu->hide();
}

TEST_F(MainformSpellingTest, AddedWordIsUnderlinedNowhereAndStaysInTheListAfterARestart)
{
    windowWithText();
    ASSERT_TRUE(waitForUnderline(Wrong, 1));
    clickItem(rightClick(nth(Wrong) + 1), QStringLiteral("SpellingAddToDictionary"));
    EXPECT_EQ(redUnder(Wrong), 0);
    EXPECT_EQ(redUnder(Wrong, 1), 0);
    EXPECT_TRUE(desktop.calls().empty());
    QFile list(programPath(QStringLiteral("config/slovnik.txt")));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(list.readAll()).split(u'\n').contains(Wrong));

    form.reset();
    TMainform& again = windowWithText();
    QTextCursor(again.editor->control()->document()).insertText(QStringLiteral("ďábelskí "));
    ASSERT_TRUE(waitForUnderline(QStringLiteral("ďábelskí"))); // checking is on
    EXPECT_EQ(redUnder(Wrong), 0);
    EXPECT_EQ(redUnder(Wrong, 1), 0);
}

// A list that is a folder cannot be read or written: the program starts,
// checks, and says that an added word could not be kept.
TEST_F(MainformSpellingTest, DamagedWordListNeitherStopsTheProgramNorChecking)
{
    QFile garbage(programPath(QStringLiteral("config/slovnik.txt")));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray("\xff\xfe\x00\x01 \xc3\x28 p\xc5\x99\xc3\xadly\xc5\xa1x\n", 20) +
                  QByteArray(100000, '\0'));
    garbage.close();
    windowWithText();
    ASSERT_TRUE(waitForUnderline(Wrong));
    form.reset();

    ASSERT_TRUE(QFile::remove(programPath(QStringLiteral("config/slovnik.txt"))));
    ASSERT_TRUE(QDir(programFolder()).mkpath(QStringLiteral("config/slovnik.txt")));
    windowWithText();
    ASSERT_TRUE(waitForUnderline(Wrong));
    clickItem(rightClick(nth(Wrong) + 1), QStringLiteral("SpellingAddToDictionary"));
    ASSERT_EQ(desktop.calls().size(), 1u);
    EXPECT_EQ(desktop.calls()[0].text, QStringLiteral("Slovo se nepodařilo uložit do osobního slovníku."));
    EXPECT_EQ(redUnder(Wrong), 0); // accepted for this session all the same
}

// On by default with the dictionary; unticked, the underlines go at once and
// "off" is stored for the next start.
TEST_F(MainformSpellingTest, UntickingCheckingRemovesTheUnderlinesAndIsKeptForTheNextStart)
{
    TMainform& window = windowWithText();
    ASSERT_TRUE(waitForUnderline(Wrong));
    inSettingsDialog([](Tnastaveni& dialog) {
        EXPECT_TRUE(dialog.kontrolapravopisu->isChecked());
        QTest::mouseClick(dialog.kontrolapravopisu, Qt::LeftButton);
        QTest::mouseClick(dialog.f2ok, Qt::LeftButton);
    });
    EXPECT_EQ(redUnder(Wrong), 0);
    EXPECT_EQ(redUnder(Wrong, 1), 0);
    EXPECT_EQ(captions(rightClick(nth(Wrong) + 1), 1), QStringList{QStringLiteral("Kopírovat")});
    window.PopupMenu1->hide();

    window.editor->setIsModified(false); // closing asks nothing
    EXPECT_TRUE(window.close());
    form.reset();
    EXPECT_FALSE(windowWithText().SpellCheckingOn());
    EXPECT_EQ(redUnder(Wrong), 0);
}

TEST_F(MainformSpellingTest, WithoutACzechDictionaryCheckingIsOffAndTickingItIsRefused)
{
    const QTemporaryDir noDictionaries;
    SetDictionaryFoldersForTesting({noDictionaries.path()});
    TMainform& window = windowWithText();
    EXPECT_FALSE(window.SpellCheckingOn());
    inSettingsDialog([&](Tnastaveni& dialog) {
        EXPECT_FALSE(dialog.kontrolapravopisu->isChecked());
        QTest::mouseClick(dialog.kontrolapravopisu, Qt::LeftButton);
        dialog.zpetkrat->setValue(7);
        QTest::mouseClick(dialog.f2ok, Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_FALSE(dialog.kontrolapravopisu->isChecked());
        EXPECT_EQ(window.editor->UndoLimit(), 100); // nothing else applied
        QTest::mouseClick(dialog.f2storno, Qt::LeftButton);
    });
    ASSERT_EQ(desktop.calls().size(), 1u);
    EXPECT_EQ(
        desktop.calls()[0].text,
        QStringLiteral("Pro kontrolu pravopisu není nainstalován český slovník (balíček hunspell-cs)."));
    EXPECT_FALSE(window.SpellCheckingOn());
    EXPECT_EQ(redUnder(Wrong), 0);
}

} // namespace
