// The paragraph dialog: what it shows of the paragraph and what "Ok" and
// "Storno" write.

#include "tests/app/MainformFixture.h"

#include "app/Todstavceform.h"
#include "format/TextFormatProperties.h"
#include "editcontrol/RichEditControl.h"
#include "widgets/TFloatSpinEdit.h"
#include "widgets/TIntSpinEdit.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>

using namespace TextFormatProperties;

namespace {

class TodstavceformTest : public MainformFixture
{
protected:
    void SetUp() override
    {
        MainformFixture::SetUp();
        window = &createForm();
        window->show();
        QApplication::processEvents();
        // Typed into the start's paragraph: first line 44 pt, right indent 60 pt.
        window->editor->setSelectedText(QStringLiteral("odstavec"));
        paragraph = &window->editor->ParagraphAttributes();
    }

    TMainform* window = nullptr;
    TZvParaAttributes* paragraph = nullptr;
};

TEST_F(TodstavceformTest, ShowsTheStartIndentsAsCentimetresAndWritesThemBackUnchanged)
{
    paragraph->setSpaceBefore(9);
    Todstavceform dialog(*window);
    EXPECT_EQ(dialog.zlevaod->text(), QStringLiteral("0"));
    EXPECT_EQ(dialog.zpravaod->text(), QStringLiteral("2"));
    EXPECT_EQ(dialog.predm->value(), 9);
    dialog.okClick(&dialog);
    EXPECT_EQ(paragraph->FirstLineIndent(), 44);
    EXPECT_EQ(paragraph->RightIndent(), 60);
    EXPECT_EQ(paragraph->SpaceBefore(), 9);
}

TEST_F(TodstavceformTest, AFractionOfACentimetreShownIsWrittenBackAsTheSamePoints)
{
    for (const int points : {9, 1, 7}) {
        SCOPED_TRACE(points);
        paragraph->setRightIndent(points);
        Todstavceform dialog(*window);
        dialog.okClick(&dialog);
        EXPECT_EQ(paragraph->RightIndent(), points);
    }
}

// The indents show as a person writes centimetres, and Ok leaves them as
// they were: 16 points past the origin are 0,5333... cm, shown as 0,54.
TEST_F(TodstavceformTest, IndentsShowAtMostTwoDecimalsThatOkReadsBackAsTheSamePoints)
{
    const std::tuple<int, int, const char*, const char*> rows[] = {
        {44 + 16, 7, "0,54", "0,24"}, {0, 61, "-1,47", "2,04"}, {44 + 29, 60, "0,97", "2"}};
    for (const auto& [first, right, shownFirst, shownRight] : rows) {
        SCOPED_TRACE(shownFirst);
        paragraph->setFirstLineIndent(first);
        paragraph->setRightIndent(right);
        Todstavceform dialog(*window);
        dialog.show();
        EXPECT_EQ(dialog.zlevaod->text().toStdString(), shownFirst);
        EXPECT_EQ(dialog.zpravaod->text().toStdString(), shownRight);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
        EXPECT_EQ(paragraph->FirstLineIndent(), first);
        EXPECT_EQ(paragraph->RightIndent(), right);
    }
}

TEST_F(TodstavceformTest, TheLeftIndentCountsFromTheStartOriginAndMovesTheRuler)
{
    struct Case
    {
        double centimetres;
        int points;
        int handle;
    };
    for (const Case row : {Case{0.5, 59, 80}, Case{-0.5, 29, 40}}) {
        SCOPED_TRACE(row.centimetres);
        paragraph->setFirstLineIndent(44);
        Todstavceform dialog(*window);
        dialog.zlevaod->setValue(row.centimetres);
        dialog.okClick(&dialog);
        EXPECT_EQ(paragraph->FirstLineIndent(), row.points);
        EXPECT_EQ(window->ruler->IndentFirst(), row.handle);
    }
}

TEST_F(TodstavceformTest, AlignmentAndLineSpacingItemsMapToTheirValues)
{
    const std::pair<int, int> alignments[] = {
        {0, taLeftJustify}, {1, taCenter}, {2, taRightJustify}, {3, taJustify}};
    for (const auto& [item, alignment] : alignments) {
        Todstavceform dialog(*window);
        dialog.zarovnaniob->setCurrentIndex(item);
        dialog.okClick(&dialog);
        EXPECT_EQ(paragraph->Alignment(), alignment);
        EXPECT_EQ(Todstavceform(*window).zarovnaniob->currentIndex(), item); // and is shown again
    }

    Todstavceform exactly(*window);
    exactly.radkovanim->setCurrentIndex(LineSpacingExactly); // keeps the height shown
    exactly.vyskam->setValue(18);
    exactly.okClick(&exactly);
    EXPECT_EQ(blockLineSpacing(window->editor->control()->document()->firstBlock().blockFormat()), 360);
    EXPECT_EQ(paragraph->LineSpacingRule(), LineSpacingExactly);

    Todstavceform doubled(*window);
    EXPECT_EQ(doubled.vyskam->value(), 18);
    doubled.radkovanim->setCurrentIndex(LineSpacingDouble);
    doubled.vyskam->setValue(50);
    doubled.okClick(&doubled);
    EXPECT_EQ(paragraph->LineSpacingRule(), LineSpacingDouble);
    EXPECT_EQ(paragraph->LineSpacing(), 18); // the rule only
}

TEST_F(TodstavceformTest, ChoosingALineSpacingPresetsTheHeight)
{
    Todstavceform dialog(*window);
    dialog.vyskam->setValue(7);
    const std::pair<int, int> presets[] = {
        {LineSpacingAtLeast, 12}, {LineSpacingExactly, 12}, {LineSpacingMultiple, 3}, {LineSpacingDouble, 3}};
    for (const auto& [item, height] : presets) {
        dialog.radkovanim->setCurrentIndex(item);
        Q_EMIT dialog.radkovanim->activated(item);
        EXPECT_EQ(dialog.vyskam->value(), height) << item;
    }
}

TEST_F(TodstavceformTest, StornoWritesNothingAndEachOpeningIsAFreshDialog)
{
    const QTextBlockFormat before = window->editor->control()->document()->firstBlock().blockFormat();
    const int handle = window->ruler->IndentFirst();
    QList<Todstavceform*> shown;
    const auto changeEverythingAndCancel = [&] {
        auto* dialog = qobject_cast<Todstavceform*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown.append(dialog);
        EXPECT_EQ(dialog->zlevaod->text(), QStringLiteral("0")); // filled from the paragraph again
        dialog->zlevaod->setValue(3);
        dialog->zpravaod->setValue(1);
        dialog->predm->setValue(12);
        dialog->zarovnaniob->setCurrentIndex(3);
        dialog->radkovanim->setCurrentIndex(4);
        dialog->findChild<QPushButton*>(QStringLiteral("storno"))->click();
    };
    for (QAction* item : {window->Odstavec1, window->Dal1}) {
        QTimer::singleShot(0, window, changeEverythingAndCancel);
        item->trigger();
        EXPECT_EQ(window->odstavceform, nullptr);
    }
    EXPECT_EQ(shown.size(), 2);
    EXPECT_EQ(window->editor->control()->document()->firstBlock().blockFormat(), before);
    EXPECT_EQ(window->ruler->IndentFirst(), handle);
}

// A person clicks into a field, empties it with Ctrl+A and Backspace and types.
void typeInto(QWidget* field, const QString& text)
{
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(5, field->height() / 2));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QTest::keyClicks(QApplication::focusWidget(), text);
}

TEST_F(TodstavceformTest, TypedSpacesReachTheParagraphAnEmptyOneAsZeroAndTooLargeOnesAsTheBound)
{
    paragraph->setSpaceBefore(9);
    paragraph->setSpaceAfter(6);
    Todstavceform dialog(*window);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

    typeInto(dialog.zam, QStringLiteral("40"));
    EXPECT_EQ(dialog.zam->text().toStdString(), "40") << "every typed key stays";
    typeInto(dialog.predm, QString());
    EXPECT_EQ(dialog.zam->text().toStdString(), "32") << "left with a value over the range";
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(paragraph->SpaceBefore(), 0) << "a field with no number reads as its lower bound";
    EXPECT_EQ(paragraph->SpaceAfter(), 32);
}

} // namespace
