#include "platform/FontDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

template <typename T> T* control(QWidget& dialog, const char* name)
{
    return dialog.findChild<T*>(QLatin1String(name));
}

QString currentText(QListWidget* list)
{
    return list->currentItem() ? list->currentItem()->text() : QString();
}

enum class Face { FixedPitch, VariablePitch, Symbol };

// The first face of the kind that the dialog lists; empty when the machine has none.
QString listedFace(Face kind)
{
    FontDialog dialog({});
    auto* list = control<QListWidget>(dialog, "familyList");
    for (int row = 0; row < list->count(); ++row) {
        const QString face = list->item(row)->text();
        const bool symbol = QFontDatabase::writingSystems(face).contains(QFontDatabase::Symbol);
        const bool fixed = QFontInfo(QFont(face)).fixedPitch();
        if (kind == Face::Symbol ? symbol : !symbol && fixed == (kind == Face::FixedPitch))
            return face;
    }
    return {};
}

TFont makeFont(const QString& name, int size, TFontStyles style, TColor color, int charset = DEFAULT_CHARSET,
               TFontPitch pitch = TFontPitch::fpDefault)
{
    TFont font;
    font.Pitch = pitch;
    font.Name = name;
    font.Size = size;
    font.Style = style;
    font.Color = color;
    font.Charset = charset;
    return font;
}

void retype(QLineEdit* field, const QString& text)
{
    field->selectAll();
    QTest::keyClicks(field, text);
}

} // namespace

TEST(FontDialogTest, TheControlsShowTheFontItOpensWith)
{
    const QString fixedFace = listedFace(Face::FixedPitch), variableFace = listedFace(Face::VariablePitch);
    ASSERT_FALSE(fixedFace.isEmpty() || variableFace.isEmpty());
    struct Row
    {
        TFont font;
        QString listedFace, style, listedSize;
        bool strikeOut, underline;
        QString color;
    };
    const Row rows[] = {
        {makeFont(fixedFace, 12, fsBold | fsItalic | fsUnderline, RGB(255, 0, 0)), fixedFace,
         QStringLiteral("Tučné kurzíva"), QStringLiteral("12"), false, true, QStringLiteral("Červená")},
        {makeFont(QStringLiteral("MS Sans Serif"), 8, 0, clWindowText), QString(), QStringLiteral("Normální"),
         QStringLiteral("8"), false, false, QStringLiteral("Automatická")},
        {makeFont(fixedFace.toLower(), 13, fsItalic | fsStrikeOut, clDefault), fixedFace,
         QStringLiteral("Kurzíva"), QString(), true, false, QStringLiteral("Automatická")},
        {makeFont(variableFace, 10, fsBold, RGB(1, 2, 3)), variableFace, QStringLiteral("Tučné"),
         QStringLiteral("10"), false, false, QStringLiteral("Vlastní")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.font.Name.toStdString() + " " + std::to_string(row.font.Size));
        FontDialog dialog({row.font, false, false});
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Písmo"));
        EXPECT_EQ(control<QLineEdit>(dialog, "familyEdit")->text(), row.font.Name);
        EXPECT_EQ(currentText(control<QListWidget>(dialog, "familyList")), row.listedFace);
        EXPECT_EQ(currentText(control<QListWidget>(dialog, "styleList")), row.style);
        EXPECT_EQ(control<QLineEdit>(dialog, "styleEdit")->text(), row.style);
        EXPECT_EQ(control<QLineEdit>(dialog, "sizeEdit")->text(), QString::number(row.font.Size));
        EXPECT_EQ(currentText(control<QListWidget>(dialog, "sizeList")), row.listedSize);
        EXPECT_EQ(control<QCheckBox>(dialog, "strikeOutBox")->isChecked(), row.strikeOut);
        EXPECT_EQ(control<QCheckBox>(dialog, "underlineBox")->isChecked(), row.underline);
        EXPECT_EQ(control<QComboBox>(dialog, "colorBox")->currentText(), row.color);
    }
}

TEST(FontDialogTest, TheSelectedFontCarriesWhatTheUserChose)
{
    const QString fixedFace = listedFace(Face::FixedPitch), variableFace = listedFace(Face::VariablePitch);
    const QString symbolFace = listedFace(Face::Symbol);
    ASSERT_FALSE(fixedFace.isEmpty() || variableFace.isEmpty());
    constexpr auto fixed = TFontPitch::fpFixed, variable = TFontPitch::fpVariable;
    using Act = std::function<void(FontDialog&)>;
    const Act nothing = [](FontDialog&) {};
    struct Row
    {
        const char* what;
        TFont shown;
        Act act;
        TFont expected;
    };
    std::vector<Row> rows = {
        {"face, style, size, strike-out and colour", makeFont(variableFace, 8, 0, clWindowText),
         [&fixedFace](FontDialog& dialog) {
             retype(control<QLineEdit>(dialog, "familyEdit"), fixedFace.toUpper());
             control<QListWidget>(dialog, "styleList")->setCurrentRow(2);
             retype(control<QLineEdit>(dialog, "sizeEdit"), QStringLiteral("15"));
             control<QCheckBox>(dialog, "strikeOutBox")->click();
             auto* colors = control<QComboBox>(dialog, "colorBox");
             colors->setCurrentIndex(colors->findText(QStringLiteral("Modrá")));
         },
         makeFont(fixedFace, 15, fsBold | fsStrikeOut, RGB(0, 0, 255), EASTEUROPE_CHARSET, fixed)},
        {"the automatic colour picked", makeFont(variableFace, 10, fsUnderline, RGB(255, 0, 0)),
         [](FontDialog& dialog) {
             auto* colors = control<QComboBox>(dialog, "colorBox");
             colors->setCurrentIndex(colors->findText(QStringLiteral("Automatická")));
             control<QCheckBox>(dialog, "underlineBox")->click();
         },
         makeFont(variableFace, 10, 0, clWindowText, EASTEUROPE_CHARSET, variable)},
        {"the automatic colour kept", makeFont(variableFace, 10, 0, clDefault), nothing,
         makeFont(variableFace, 10, 0, clWindowText, EASTEUROPE_CHARSET, variable)},
        {"a colour outside the list kept", makeFont(variableFace, 10, 0, clBtnText, ANSI_CHARSET), nothing,
         makeFont(variableFace, 10, 0, clBtnText, ANSI_CHARSET, variable)},
        {"a face that is not installed kept", makeFont(QStringLiteral("MS Sans Serif"), 8, fsItalic, 0),
         nothing, makeFont(QStringLiteral("MS Sans Serif"), 8, fsItalic, 0, EASTEUROPE_CHARSET, variable)},
        {"a letter face after a symbol face", makeFont(variableFace, 9, 0, clWindowText, SYMBOL_CHARSET),
         nothing, makeFont(variableFace, 9, 0, clWindowText, EASTEUROPE_CHARSET, variable)},
    };
    if (!symbolFace.isEmpty()) {
        rows.push_back({"a symbol face typed",
                        makeFont(variableFace, 12, 0, clWindowText, EASTEUROPE_CHARSET),
                        [&symbolFace](FontDialog& dialog) {
                            retype(control<QLineEdit>(dialog, "familyEdit"), symbolFace);
                        },
                        makeFont(symbolFace, 12, 0, clWindowText, SYMBOL_CHARSET,
                                 QFontInfo(QFont(symbolFace)).fixedPitch() ? fixed : variable)});
    }
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        FontDialog dialog({row.shown, false, false});
        dialog.show();
        row.act(dialog);
        EXPECT_EQ(dialog.selectedFont(), row.expected);
    }
}

TEST(FontDialogTest, TypingSelectsTheFirstListedItemItBeginsAndPickingFillsTheField)
{
    FontDialog dialog({});
    dialog.show();
    auto* sizeEdit = control<QLineEdit>(dialog, "sizeEdit");
    auto* sizeList = control<QListWidget>(dialog, "sizeList");
    retype(sizeEdit, QStringLiteral("1"));
    EXPECT_EQ(currentText(sizeList), QStringLiteral("10"));
    EXPECT_EQ(sizeEdit->text(), QStringLiteral("1"));
    QListWidgetItem* selected = sizeList->currentItem();
    QTest::mouseClick(sizeList->viewport(), Qt::LeftButton, {}, sizeList->visualItemRect(selected).center());
    EXPECT_EQ(sizeEdit->text(), QStringLiteral("10"));
    sizeList->setCurrentItem(sizeList->findItems(QStringLiteral("24"), Qt::MatchExactly).constFirst());
    EXPECT_EQ(sizeEdit->text(), QStringLiteral("24"));
    EXPECT_EQ(dialog.selectedFont().Size, 24);
}
