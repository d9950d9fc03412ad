// The whole-number spin edit: what sets it apart from the fractional one.

#include "widgets/TIntSpinEdit.h"

#include "platform/ScriptedDesktop.h"

#include <QTest>

#include <gtest/gtest.h>

TEST(TIntSpinEditTest, TakesNoDecimalSeparatorAndReadsAFractionAsItsLowerBound)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    ScriptedDesktop desktop;
    TIntSpinEdit edit(desktop);
    edit.setMinValue(2);
    edit.setMaxValue(50);
    edit.setIncrement(6);
    edit.setText(QStringLiteral("1"));
    edit.end(false);
    QTest::keyClicks(&edit, QStringLiteral(",5"));
    EXPECT_EQ(edit.text().toStdString(), "15");
    EXPECT_EQ(desktop.callsOf(ScriptedDesktop::CallKind::MessageBeep).size(), 1);

    edit.setText(QStringLiteral("4,5")); // as pasted
    EXPECT_EQ(edit.value(), 2);
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.text().toStdString(), "8");
    QLocale::setDefault(saved);
}
