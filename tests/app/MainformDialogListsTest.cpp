// The drop-down lists of the dialogs the main window opens, under its flat
// look: each opens as rows a line high in a list no taller than its rows, and a
// click on a row chooses it.

#include "tests/app/MainformFixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace {

// Opens the list of `box` as a person does (a click, or Alt+Down on the
// focused box), measures it and chooses the row after the current one with a click.
void openMeasureAndPick(QComboBox* box, bool withKeyboard)
{
    SCOPED_TRACE(box->objectName().toStdString());
    if (withKeyboard) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
    } else {
        QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
    }
    QAbstractItemView* list = box->view();
    QWidget* popup = list->window();
    ASSERT_TRUE(QTest::qWaitFor([popup] { return popup->isVisible(); }, 5000));
    ASSERT_GE(box->count(), 2); // the folder list fills itself as it opens

    int rowsHeight = 0;
    int shortest = INT_MAX;
    int tallest = 0;
    for (int index = 0; index < box->count(); ++index) {
        const int height = list->visualRect(box->model()->index(index, box->modelColumn())).height();
        shortest = qMin(shortest, height);
        tallest = qMax(tallest, height);
        rowsHeight += height;
    }
    const int line = box->fontMetrics().height();
    EXPECT_GE(shortest, line - 2);
    EXPECT_LE(tallest, 2 * line);
    EXPECT_LE(popup->height(), rowsHeight + 12) << "rows a line high and a thin frame";

    const int row = (box->currentIndex() + 1) % box->count();
    const QString chosen = box->itemText(row);
    const QRect target = list->visualRect(box->model()->index(row, box->modelColumn()));
    ASSERT_TRUE(list->viewport()->rect().contains(target.center()));
    QTest::mouseMove(list->viewport(), target.center());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, target.center());
    EXPECT_TRUE(QTest::qWaitFor([popup] { return !popup->isVisible(); }, 5000));
    EXPECT_EQ(box->currentText(), chosen);
}

} // namespace

class MainformDialogListsTest : public MainformFixture
{
protected:
    // Opens a dialog with `open` and, once it is shown, runs each named list of it
    // through openMeasureAndPick, the last one opened with the keyboard; then closes it.
    static void checkLists(const std::function<void()>& open, const QStringList& names)
    {
        bool shown = false;
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [&shown, poll, names] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            poll->deleteLater();
            shown = true;
            for (const QString& name : names) {
                if (auto* box = dialog->findChild<QComboBox*>(name))
                    openMeasureAndPick(box, name == names.last());
                else
                    ADD_FAILURE() << "no list " << name.toStdString();
            }
            dialog->reject();
        });
        poll->start(10);
        open();
        EXPECT_TRUE(shown);
    }
};

TEST_F(MainformDialogListsTest, TheListsOfTheFileAndParagraphDialogsOpenAsRowsALineHighAndAClickChoosesOne)
{
    TMainform& window = createActiveFormWithPlatformDialogs();
    for (QToolButton* button : {window.otevrit, window.ulozit, window.ToolButton24}) {
        SCOPED_TRACE(button->objectName().toStdString());
        checkLists([button] { QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center()); },
                   {QStringLiteral("lookInCombo"), QStringLiteral("fileTypeCombo")});
    }
    checkLists([&window] { window.Odstavec1->trigger(); },
               {QStringLiteral("zarovnaniob"), QStringLiteral("radkovanim")});
}
