// The component inventory of the main window, its hints in the status bar,
// the formatting rectangle of the editor, and the edit actions.

#include "tests/app/MainformFixture.h"

#include "app/TStatusBar.h"
#include "editcontrol/RichEditControl.h"
#include "platform/TTimer.h"
#include "widgets/TIntSpinEdit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QEnterEvent>
#include <QFontInfo>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

// The names of a tool bar's controls in order, "-" for a separator.
QStringList controlNames(QToolBar* bar)
{
    QStringList names;
    for (QAction* action : bar->actions()) {
        if (action->isSeparator())
            names << QStringLiteral("-");
        else if (QWidget* widget = bar->widgetForAction(action))
            names << widget->objectName();
    }
    return names;
}

QStringList itemNames(QMenu* menu)
{
    QStringList names;
    for (QAction* action : menu->actions())
        names << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
    return names;
}

void processEvents()
{
    for (int round = 0; round < 3; ++round)
        QApplication::processEvents();
}

} // namespace

class MainformLayoutTest : public MainformFixture
{
};

TEST_F(MainformLayoutTest, ToolBarsHoldTheirControlsInOrder)
{
    TMainform& window = createForm();
    EXPECT_EQ(controlNames(window.ToolBar1), QStringList({"novy",
                                                          "otevrit",
                                                          "ulozit",
                                                          "-",
                                                          "tisk",
                                                          "ToolButton21",
                                                          "-",
                                                          "ToolButton4",
                                                          "ToolButton15",
                                                          "-",
                                                          "kopirovat",
                                                          "vyjmout",
                                                          "vlozit",
                                                          "odstranit",
                                                          "-",
                                                          "undo",
                                                          "redo",
                                                          "-",
                                                          "ToolButton24",
                                                          "ToolButton25",
                                                          "-",
                                                          "ToolButton7",
                                                          "ToolButton29",
                                                          "ToolButton30"}));
    EXPECT_EQ(controlNames(window.ToolBar2),
              QStringList({"ToolButton5",  "fontybox",  "velikostpisma", "-",          "tucne",
                           "kurziva",      "podtrzene", "preskrknute",   "-",          "dindex",
                           "hindex",       "-",         "lzarovnani",    "szarovnani", "pzarovnani",
                           "czarovnani",   "-",         "cisodraz",      "tecodraz",   "ToolButton43",
                           "ToolButton44", "-",         "radkovani",     "-",          "barvatextu",
                           "bpozaditextu"}));
}

TEST_F(MainformLayoutTest, EveryToolButtonHasAHintAndAnImageThatIsNotBlank)
{
    TMainform& window = createForm();
    for (QToolBar* bar : {window.ToolBar1, window.ToolBar2}) {
        for (QToolButton* button : bar->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
            if (button->objectName().startsWith(QStringLiteral("qt_")))
                continue; // the tool bar's own extension button
            SCOPED_TRACE(button->objectName().toStdString());
            EXPECT_FALSE(button->statusTip().isEmpty());
            EXPECT_EQ(button->toolTip(), button->statusTip());
            const QImage image = button->icon().pixmap(16, 16).toImage();
            ASSERT_FALSE(image.isNull());
            // Not blank: some pixel differs from the first one.
            bool varied = false;
            for (int y = 0; y < image.height() && !varied; ++y) {
                for (int x = 0; x < image.width() && !varied; ++x)
                    varied = image.pixel(x, y) != image.pixel(0, 0);
            }
            EXPECT_TRUE(varied);
        }
    }
    EXPECT_EQ(window.redo->statusTip(), QStringLiteral("Vrátí poslední vrácenou akci "));
    EXPECT_EQ(window.radkovani->statusTip(), QStringLiteral("Nastaví formátování odtavců"));
    EXPECT_EQ(window.fontybox->statusTip(), QStringLiteral("Nastaví typ písma"));
}

TEST_F(MainformLayoutTest, ControlsShowTheirStartStateAndTakeOnlyTheirKeys)
{
    TMainform& window = createActiveForm();
    EXPECT_EQ(window.fontybox->FontName(), QFontInfo(QFont(QStringLiteral("MS Sans Serif"))).family())
        << "the face that \"MS Sans Serif\" is drawn in";
    EXPECT_EQ(window.velikostpisma->text(), QStringLiteral("8"));
    EXPECT_TRUE(window.lzarovnani->isChecked());
    EXPECT_FALSE(window.szarovnani->isChecked());
    EXPECT_EQ(window.radkovani->menu(), window.radkovanipop);
    EXPECT_TRUE(window.normalni->isChecked());
    EXPECT_FALSE(window.htmlsyntax->isVisible());
    EXPECT_FALSE(window.htmlsyntax->isChecked());
    EXPECT_TRUE(window.Timer1->isRunning());
    EXPECT_EQ(window.editor->PopupMenu(), window.PopupMenu1);
    EXPECT_FALSE(window.editor->HideSelection());

    // The editor keeps the Tab key as text; the size box takes no typing, only its arrows.
    QTest::mouseClick(window.editor->control()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(window.editor->Text(), QStringLiteral("\t"));
    QTest::mouseClick(window.velikostpisma, Qt::LeftButton, {},
                      QPoint(6, window.velikostpisma->height() / 2));
    ASSERT_EQ(QApplication::focusWidget(), window.velikostpisma);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12"));
    EXPECT_EQ(window.velikostpisma->text(), QStringLiteral("8"));
}

TEST_F(MainformLayoutTest, CoolBarStacksTheTwoToolBarsAboveTheRulerAndTheEditor)
{
    TMainform& window = createForm();
    window.show();
    processEvents();
    EXPECT_GE(window.ToolBar1->height(), 26);
    EXPECT_GE(window.ToolBar2->height(), 26);
    EXPECT_LT(window.ToolBar1->geometry().bottom(), window.ToolBar2->geometry().top());
    const int coolBarBottom = window.CoolBar1->mapTo(&window, QPoint(0, window.CoolBar1->height())).y();
    EXPECT_LE(coolBarBottom, window.ruler->mapTo(&window, QPoint(0, 0)).y());
    EXPECT_LE(window.ruler->mapTo(&window, QPoint(0, window.ruler->height())).y(),
              window.editor->mapTo(&window, QPoint(0, 0)).y());
}

TEST_F(MainformLayoutTest, TheUserMayRearrangeTheToolBarsWithinTheCoolBarButNeverTearThemOff)
{
    TMainform& window = createForm();
    auto* coolBar = qobject_cast<QMainWindow*>(window.CoolBar1);
    ASSERT_NE(coolBar, nullptr);
    for (QToolBar* bar : {window.ToolBar1, window.ToolBar2}) {
        SCOPED_TRACE(bar->objectName().toStdString());
        EXPECT_TRUE(bar->isMovable());
        EXPECT_FALSE(bar->isFloatable());
        EXPECT_EQ(bar->allowedAreas(), Qt::TopToolBarArea);
        EXPECT_EQ(coolBar->toolBarArea(bar), Qt::TopToolBarArea);
    }
    EXPECT_TRUE(coolBar->toolBarBreak(window.ToolBar2)) << "each band starts a row of its own";
}

TEST_F(MainformLayoutTest, AClickDoesNotReleaseAPressedAlignmentButtonOrUncheckASpacingItem)
{
    TMainform& window = createForm();
    window.lzarovnani->click();
    EXPECT_TRUE(window.lzarovnani->isChecked());
    window.normalni->trigger();
    EXPECT_TRUE(window.normalni->isChecked());
}

TEST_F(MainformLayoutTest, StatusBarHasSixPanelsOfTheirWidthsAndAlignments)
{
    TMainform& window = createForm();
    ASSERT_EQ(window.StatusBar1->panelCount(), 6);
    const int widths[] = {250, 60, 110, 120, 80, 50};
    const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignLeft,
                                        Qt::AlignLeft, Qt::AlignLeft,    Qt::AlignRight};
    for (int index = 0; index < 6; ++index) {
        EXPECT_EQ(window.StatusBar1->panelWidth(index), widths[index]) << index;
        EXPECT_EQ(window.StatusBar1->panelAlignment(index), alignments[index]) << index;
    }
    EXPECT_EQ(window.StatusBar1->height(), 19);
}

TEST_F(MainformLayoutTest, MenusHoldTheirItemsInOrder)
{
    TMainform& window = createForm();
    QStringList menus;
    for (QAction* action : window.MainMenu1->actions())
        menus << action->objectName();
    EXPECT_EQ(menus, QStringList({"Soubor1", "U1", "Vloit2", "Najt1", "Nastaven1", "Help1"}));
    EXPECT_EQ(itemNames(window.Soubor1), QStringList({"Nov1", "Otevt1", "uloit1", "Uloitjako1", "-",
                                                      "vzhledstrnky1", "isk1", "-", "Konec1"}));
    EXPECT_EQ(itemNames(window.U1), QStringList({"zpt1", "Vped2", "-", "Koprovat1", "Vyjmout1", "Vloit1",
                                                 "Vloitjakoprostytext1", "-", "Vybratve1", "vymazat1"}));
    EXPECT_EQ(itemNames(window.PopupMenu1),
              QStringList({"Koprovat2", "Vyjmout2", "Vloit3", "Vloitjakoprostytext2", "-", "Vloitdal1", "-",
                           "Psmo2", "Odstavec1", "-", "Najtvtextu2", "Nahradittext2", "-", "Vybratve2",
                           "Smazat1", "-", "Nastaven2"}));
    EXPECT_EQ(itemNames(window.Vloitdal1), QStringList({"Obrzek2", "Datumaas1", "Dal3"}));
    EXPECT_EQ(itemNames(window.radkovanipop),
              QStringList({"normalni", "radku15", "radku2", "radku3", "Dal1"}));
    EXPECT_EQ(window.Vybratve1->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
    EXPECT_EQ(window.Koprovat2->text(), QStringLiteral("&Kopírovat"));
}

TEST_F(MainformLayoutTest, EditActionsHaveTheirCaptionsHintsAndShortcuts)
{
    TMainform& window = createForm();
    EXPECT_EQ(window.EditCut1->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
    EXPECT_EQ(window.EditCopy1->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
    EXPECT_EQ(window.EditPaste1->shortcut(), QKeySequence(QStringLiteral("Ctrl+V")));
    EXPECT_EQ(window.EditUndo1->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_TRUE(window.EditDelete1->shortcut().isEmpty());
    EXPECT_EQ(window.EditCut1->text(), QStringLiteral("Cu&t"));
    EXPECT_EQ(window.EditSelectAll1->statusTip(), QStringLiteral("Select All|Selects the entire document"));
    // Their shortcuts work anywhere in the window; Ctrl+A belongs to the main menu.
    EXPECT_TRUE(window.actions().contains(window.EditCopy1));
    EXPECT_TRUE(window.actions().contains(window.EditUndo1));
    EXPECT_FALSE(window.actions().contains(window.EditSelectAll1));
}

TEST_F(MainformLayoutTest, DisplayHintShowsTheLongPartOfTheHint)
{
    TMainform& window = createForm();
    window.ApplicationHint = QStringLiteral("Cut|Cuts the selection|and more");
    window.DisplayHint(&window);
    EXPECT_EQ(window.StatusBar1->panelText(0), QStringLiteral("Cuts the selection|and more"));
    window.ApplicationHint = QStringLiteral("Nastaví tučné písmo");
    window.DisplayHint(&window);
    EXPECT_EQ(window.StatusBar1->panelText(0), QStringLiteral("Nastaví tučné písmo"));
    window.ApplicationHint.clear();
    window.DisplayHint(&window);
    EXPECT_EQ(window.StatusBar1->panelText(0), QString());
}

TEST_F(MainformLayoutTest, AToolButtonUnderTheMouseShowsItsHintUntilTheMouseLeaves)
{
    TMainform& window = createForm();
    window.show();
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(window.tucne, &enter);
    EXPECT_EQ(window.StatusBar1->panelText(0), QStringLiteral("Nastaví tučné písmo"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(window.tucne, &leave);
    EXPECT_EQ(window.StatusBar1->panelText(0), QString());
    EXPECT_EQ(window.StatusBar1->panelCount(), 6); // no temporary message covered the panels
}

TEST_F(MainformLayoutTest, AHighlightedMenuItemShowsItsHint)
{
    TMainform& window = createForm();
    window.show();
    window.Soubor1->popup(QPoint(10, 10));
    window.Soubor1->setActiveAction(window.Konec1);
    EXPECT_EQ(window.StatusBar1->panelText(0), QStringLiteral("ukončí aplikaci"));
    window.Soubor1->hide();
    EXPECT_EQ(window.StatusBar1->panelText(0), QString());

    // A pop-up item bound to an action shows the long part of the action's hint;
    // it is enabled, so can be highlighted, while the editor has a selection.
    QApplication::setActiveWindow(&window);
    window.editor->control()->setFocus();
    window.editor->setText(QStringLiteral("Ahoj"));
    window.editor->SelectAll();
    processEvents();
    window.PopupMenu1->popup(QPoint(10, 10));
    window.PopupMenu1->setActiveAction(window.Vyjmout2);
    EXPECT_EQ(window.StatusBar1->panelText(0),
              QStringLiteral("Cuts the selection and puts it on the Clipboard"));
    window.PopupMenu1->hide();
}

TEST_F(MainformLayoutTest, LinesBreakAtTheSamePlacesWhateverTheWindowWidth)
{
    TMainform& window = createForm();
    window.show();
    window.editor->setText(QString(QStringLiteral("slovo ")).repeated(400));
    window.editor->setIsModified(false);
    RichEditControl* control = window.editor->control();
    auto lineStarts = [control] {
        QList<int> starts;
        for (int line = 0; line < control->GetLineCount(); ++line)
            starts << control->LineIndex(line);
        return starts;
    };
    window.resize(873, 688);
    processEvents();
    const QList<int> designStarts = lineStarts();
    EXPECT_GT(designStarts.size(), 5);
    EXPECT_EQ(control->lineWrapMode(), QTextEdit::FixedPixelWidth);
    const int margin = qRound(control->document()->documentMargin());
    EXPECT_EQ(control->lineWrapColumnOrWidth() - 2 * margin, 857 - 12); // 6 to 851 pixels of text

    for (int width : {1400, 600, 873}) {
        window.resize(width, 688);
        processEvents();
        EXPECT_EQ(lineStarts(), designStarts) << width;
    }
    EXPECT_FALSE(window.editor->IsModified()); // the rectangle is no change to the document
}

TEST_F(MainformLayoutTest, AfterTheEditorIsRecreatedItsFullWidthAppliesUntilTheNextResize)
{
    TMainform& window = createForm();
    window.show();
    window.resize(1400, 688);
    processEvents();
    window.editor->setWordWrap(false);
    window.editor->setWordWrap(true);
    EXPECT_EQ(window.editor->control()->lineWrapMode(), QTextEdit::WidgetWidth);
    window.resize(1300, 688);
    processEvents();
    EXPECT_EQ(window.editor->control()->lineWrapMode(), QTextEdit::FixedPixelWidth);
}

class MainformEditActionTest : public MainformFixture
{
protected:
    TMainform& focusedForm()
    {
        TMainform& window = createForm();
        window.show();
        QApplication::setActiveWindow(&window);
        window.editor->control()->setFocus();
        processEvents();
        return window;
    }
};

TEST_F(MainformEditActionTest, CutCopyAndDeleteNeedASelection)
{
    TMainform& window = focusedForm();
    if (QApplication::focusWidget() != window.editor->control())
        GTEST_SKIP() << "the platform gives no keyboard focus";
    window.editor->setText(QStringLiteral("Ahoj světe"));
    window.editor->setSelectionStart(0);
    window.UpdateEditActions();
    EXPECT_FALSE(window.EditCopy1->isEnabled());
    EXPECT_FALSE(window.EditCut1->isEnabled());
    EXPECT_FALSE(window.kopirovat->isEnabled()); // bound controls follow their action
    EXPECT_TRUE(window.EditSelectAll1->isEnabled());
    window.editor->setSelectionLength(4);
    processEvents();
    EXPECT_TRUE(window.EditCopy1->isEnabled());
    EXPECT_TRUE(window.EditDelete1->isEnabled());
    EXPECT_TRUE(window.kopirovat->isEnabled());
    EXPECT_TRUE(window.Smazat1->isEnabled());
}

TEST_F(MainformEditActionTest, PasteNeedsTextOnTheClipboard)
{
    TMainform& window = focusedForm();
    if (QApplication::focusWidget() != window.editor->control())
        GTEST_SKIP() << "the platform gives no keyboard focus";
    QApplication::clipboard()->setText(QStringLiteral("schránka"));
    processEvents();
    EXPECT_TRUE(window.EditPaste1->isEnabled());
    auto* picture = new QMimeData;
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    picture->setImageData(image);
    QApplication::clipboard()->setMimeData(picture);
    processEvents();
    EXPECT_FALSE(window.EditPaste1->isEnabled());
}

TEST_F(MainformEditActionTest, ActionsActOnTheFocusedEditor)
{
    TMainform& window = focusedForm();
    if (QApplication::focusWidget() != window.editor->control())
        GTEST_SKIP() << "the platform gives no keyboard focus";
    window.editor->setText(QStringLiteral("Ahoj světe"));
    window.editor->setSelectionStart(0);
    window.editor->setSelectionLength(5);
    window.UpdateEditActions();
    window.odstranit->click();
    EXPECT_EQ(window.editor->Text(), QStringLiteral("světe"));
    window.Vybratve2->trigger();
    EXPECT_EQ(window.editor->SelectionLength(), 5);
    window.Koprovat2->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("světe"));
}

TEST_F(MainformEditActionTest, WithoutAFocusedEditControlEveryActionIsDisabled)
{
    TMainform& window = createForm();
    window.editor->setText(QStringLiteral("text"));
    window.editor->control()->clearFocus();
    window.fontybox->setFocus();
    window.UpdateEditActions();
    for (QAction* action : {window.EditCut1, window.EditCopy1, window.EditPaste1, window.EditSelectAll1,
                            window.EditUndo1, window.EditDelete1})
        EXPECT_FALSE(action->isEnabled()) << action->objectName().toStdString();
}
