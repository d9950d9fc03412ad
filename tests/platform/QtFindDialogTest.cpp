#include "platform/QtFindDialog.h"

#include "platform/QtDesktop.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

QStringList textsOf(const QDialog* window)
{
    QStringList texts;
    for (const auto* label : window->findChildren<QLabel*>())
        texts << label->text();
    for (const auto* button : window->findChildren<QAbstractButton*>())
        texts << button->text();
    return texts;
}

QPushButton* buttonOf(const QDialog* window, const QString& text)
{
    for (auto* button : window->findChildren<QPushButton*>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

struct DialogLook
{
    FindDialogKind kind;
    QString title;
    QStringList texts;
    bool directionChoice;
};

class QtFindDialogLookTest : public ::testing::TestWithParam<DialogLook>
{
};

TEST_P(QtFindDialogLookTest, ShowsItsCzechControls)
{
    const DialogLook& row = GetParam();
    QWidget owner;
    QtDesktop desktop;
    std::unique_ptr<TFindDialog> dialog(desktop.createFindDialog(&owner, row.kind));
    auto* window = static_cast<QtFindDialog*>(dialog.get())->window();
    dialog->Execute();

    EXPECT_EQ(window->windowTitle(), row.title);
    EXPECT_FALSE(window->isModal());
    const QStringList texts = textsOf(window);
    for (const QString& text : row.texts)
        EXPECT_TRUE(texts.contains(text)) << text.toStdString();
    EXPECT_EQ(texts.contains(QStringLiteral("Dolů")), row.directionChoice);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, QtFindDialogLookTest,
    ::testing::Values(DialogLook{FindDialogKind::Find,
                                 QStringLiteral("Najít"),
                                 {QStringLiteral("Najít:"), QStringLiteral("Pouze celá slova"),
                                  QStringLiteral("Rozlišovat velká a malá písmena"), QStringLiteral("Nahoru"),
                                  QStringLiteral("Najít další"), QStringLiteral("Zrušit")},
                                 true},
                      DialogLook{FindDialogKind::Replace,
                                 QStringLiteral("Nahradit"),
                                 {QStringLiteral("Najít:"), QStringLiteral("Nahradit čím:"),
                                  QStringLiteral("Pouze celá slova"), QStringLiteral("Najít další"),
                                  QStringLiteral("Nahradit"), QStringLiteral("Nahradit vše"),
                                  QStringLiteral("Zrušit")},
                                 false}));

TEST(QtFindDialogTest, TypedTextsAndTicksReachTheEventsOfTheButtons)
{
    QtFindDialog dialog(FindDialogKind::Replace, nullptr);
    QDialog* window = dialog.window();
    std::vector<TFindOptions> requests;
    dialog.OnFind = dialog.OnReplace = [&](TFindDialog* sender) { requests.push_back(sender->Options()); };
    dialog.Execute();
    QPushButton* findNext = buttonOf(window, QStringLiteral("Najít další"));
    EXPECT_FALSE(findNext->isEnabled()) << "nothing to find yet";

    const QList<QLineEdit*> edits = window->findChildren<QLineEdit*>();
    ASSERT_EQ(edits.size(), 2);
    QTest::keyClicks(edits[0], QStringLiteral("kocka"));
    QTest::keyClicks(edits[1], QStringLiteral("pes"));
    window->findChildren<QCheckBox*>()[1]->click(); // match case
    findNext->click();
    buttonOf(window, QStringLiteral("Nahradit"))->click();
    buttonOf(window, QStringLiteral("Nahradit vše"))->click();

    EXPECT_EQ(dialog.FindText(), QStringLiteral("kocka"));
    EXPECT_EQ(dialog.ReplaceText(), QStringLiteral("pes"));
    const TFindOptions kept = frDown | frMatchCase;
    EXPECT_EQ(requests,
              (std::vector<TFindOptions>{kept | frFindNext, kept | frReplace, kept | frReplaceAll}));
}

TEST(QtFindDialogTest, StateSetByTheProgramShowsAndCancelClosesWithOnClose)
{
    QtFindDialog dialog(FindDialogKind::Find, nullptr);
    QDialog* window = dialog.window();
    int closes = 0;
    dialog.OnClose = [&](TFindDialog*) { ++closes; };
    dialog.setFindText(QStringLiteral("myš"));
    dialog.setOptions(frDown | frWholeWord | frHideUpDown);
    dialog.Execute();
    dialog.Execute(); // already shown: only brought to the front

    EXPECT_EQ(window->findChild<QLineEdit*>()->text(), QStringLiteral("myš"));
    EXPECT_TRUE(window->findChildren<QCheckBox*>()[0]->isChecked());
    EXPECT_FALSE(window->findChild<QGroupBox*>()->isVisible()) << "no choice of direction";
    EXPECT_TRUE(buttonOf(window, QStringLiteral("Najít další"))->isEnabled());
    EXPECT_EQ(dialog.windowRect().topLeft(), dialog.position());

    buttonOf(window, QStringLiteral("Zrušit"))->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(closes, 1);
}

} // namespace
