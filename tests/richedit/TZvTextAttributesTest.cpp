#include "richedit/TZvTextAttributes.h"

#include "format/TextFormatProperties.h"
#include "editcontrol/RichEditControl.h"
#include "platform/ZvExceptions.h"
#include "richedit/TZvRichEdit.h"

#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <functional>

namespace {

// An editor holding "alpha beta gamma" with its control created.
class TextAttributesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetEditorLibraryVersion(3);
        editor.setText(QStringLiteral("alpha beta gamma"));
    }
    void TearDown() override { SetEditorLibraryVersion(3); }

    // The stored format of the character at position.
    QTextCharFormat formatAt(int position)
    {
        QTextCursor cursor(editor.control()->document());
        cursor.setPosition(position + 1);
        return cursor.charFormat();
    }

    TZvRichEdit editor;
    TZvTextAttributes& selection = editor.SelectionAttributes();
};

struct WriteRead
{
    const char* name;
    std::function<void(TZvTextAttributes&)> write;
    std::function<bool(TZvTextAttributes&)> readsBack;
};

void PrintTo(const WriteRead& row, std::ostream* out)
{
    *out << row.name;
}

class AttributeWriteRead : public TextAttributesTest, public ::testing::WithParamInterface<WriteRead>
{
};

TEST_P(AttributeWriteRead, ReadsBackWhatWasWrittenOnTheWholeSelection)
{
    editor.SelectRange(6, 10, false);
    GetParam().write(selection);
    EXPECT_TRUE(GetParam().readsBack(selection));
    // The neighbours keep what they had.
    editor.SelectRange(0, 5, false);
    EXPECT_FALSE(GetParam().readsBack(selection));
}

INSTANTIATE_TEST_SUITE_P(
    Attributes, AttributeWriteRead,
    ::testing::Values(WriteRead{"Face", [](auto& a) { a.setFaceName(QStringLiteral("DejaVu Serif")); },
                                [](auto& a) { return a.FaceName() == QStringLiteral("DejaVu Serif"); }},
                      WriteRead{"Size", [](auto& a) { a.setPointSize(17); },
                                [](auto& a) { return a.PointSize() == 17; }},
                      WriteRead{"TextColor", [](auto& a) { a.setTextColor(RGB(200, 10, 20)); },
                                [](auto& a) { return a.TextColor() == RGB(200, 10, 20); }},
                      WriteRead{"SystemTextColorIsResolved", [](auto& a) { a.setTextColor(clHighlight); },
                                [](auto& a) { return a.TextColor() == ColorToRGB(clHighlight); }},
                      WriteRead{"Highlight", [](auto& a) { a.setHighlightColor(RGB(255, 255, 0)); },
                                [](auto& a) { return a.HighlightColor() == RGB(255, 255, 0); }},
                      WriteRead{"Styles", [](auto& a) { a.setStyleFlags(fsItalic | fsStrikeOut); },
                                [](auto& a) { return a.StyleFlags() == (fsItalic | fsStrikeOut); }},
                      WriteRead{"Superscript", [](auto& a) { a.setScriptPosition(spSuperscript); },
                                [](auto& a) { return a.ScriptPosition() == spSuperscript; }},
                      WriteRead{"Charset", [](auto& a) { a.setCharset(SYMBOL_CHARSET); },
                                [](auto& a) { return a.Charset() == SYMBOL_CHARSET; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextAttributesTest, SizesAreWholePointsOfExactTwips)
{
    editor.SelectRange(0, 5, false);
    CHARFORMAT2A record;
    record.dwMask = CFM_SIZE;
    record.yHeight = 210; // 10.5 points
    editor.control()->SetCharFormat(SCF_SELECTION, record);
    EXPECT_EQ(selection.PointSize(), 10);
    selection.setPointSize(10);
    EXPECT_EQ(TextFormatProperties::charSize(formatAt(0)), 200);
}

TEST_F(TextAttributesTest, AutomaticColoursReplaceColoursAndReadAsTheSystemColours)
{
    editor.SelectRange(0, 5, false);
    selection.setTextColor(RGB(255, 0, 0));
    selection.setHighlightColor(RGB(0, 255, 0));
    selection.setTextColor(clWindowText);
    selection.setHighlightColor(clWindow);
    EXPECT_EQ(selection.TextColor(), clWindowText);
    EXPECT_EQ(selection.HighlightColor(), clWindow);
    EXPECT_TRUE(TextFormatProperties::charAutoColor(formatAt(2)));
    EXPECT_TRUE(TextFormatProperties::charAutoBackColor(formatAt(2)));
    selection.setTextColor(RGB(255, 0, 0));
    selection.setTextColor(clDefault);
    EXPECT_EQ(selection.TextColor(), clWindowText);
}

TEST_F(TextAttributesTest, ScriptPositionWritesBothBits)
{
    editor.SelectRange(0, 5, false);
    selection.setScriptPosition(spSubscript);
    selection.setScriptPosition(spSuperscript);
    EXPECT_EQ(formatAt(1).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    selection.setScriptPosition(spNormal);
    EXPECT_EQ(selection.ScriptPosition(), spNormal);
}

TEST_F(TextAttributesTest, FaceNamesAreCutTo31Characters)
{
    editor.SelectRange(0, 5, false);
    const QString name = QStringLiteral("Písmo").repeated(8); // 40 characters
    selection.setFaceName(name);
    EXPECT_EQ(selection.FaceName(), name.left(31));
}

TEST_F(TextAttributesTest, TogglingBoldOnAMixedSelectionWritesTheOtherStylesAsReadForAll)
{
    editor.SelectRange(0, 5, false);
    selection.setStyleFlags(fsBold | fsItalic);
    editor.SelectRange(0, 10, false); // "alpha" bold italic, " beta" plain
    const TZvStyleFlags read = selection.StyleFlags();
    EXPECT_EQ(read, fsBold | fsItalic); // the first character's styles
    selection.setStyleFlags(read & ~fsBold);
    for (const int position : {0, 7})
        EXPECT_TRUE(formatAt(position).fontItalic() && formatAt(position).fontWeight() < QFont::DemiBold);
}

TEST_F(TextAttributesTest, WordKindWidensAnEmptySelectionToTheWord)
{
    editor.SelectRange(8, 8, false); // inside "beta"
    editor.WordAttributes().setStyleFlags(fsUnderline);
    EXPECT_TRUE(formatAt(6).fontUnderline() && formatAt(9).fontUnderline());
    EXPECT_FALSE(formatAt(4).fontUnderline() || formatAt(11).fontUnderline());
}

TEST_F(TextAttributesTest, AssigningAFontSetsItsWholeFormat)
{
    editor.SelectRange(0, 5, false);
    selection.setTextColor(RGB(0, 0, 255));
    TFont font;
    font.Name = QStringLiteral("DejaVu Sans Mono");
    font.Size = 14;
    font.Style = fsBold;
    font.Color = clWindowText;
    font.Charset = EASTEUROPE_CHARSET;
    selection.Assign(font);
    EXPECT_EQ(selection.StyleFlags(), fsBold);
    EXPECT_EQ(selection.TextColor(), clWindowText);
    EXPECT_EQ(selection.PointSize(), 14);
    EXPECT_EQ(selection.FaceName(), font.Name);
    EXPECT_EQ(selection.Pitch(), TFontPitch::fpFixed);

    TFont back;
    back.Assign(selection); // the attributes copy themselves into the font
    font.Pitch = TFontPitch::fpFixed;
    EXPECT_EQ(back, font);
}

TEST_F(TextAttributesTest, AssigningAttributesCopiesOnlyWhatTheSourceReportsAsUniform)
{
    editor.SelectRange(0, 5, false);
    selection.setStyleFlags(fsBold);
    selection.setPointSize(20);
    editor.SelectRange(6, 10, false);
    selection.setPointSize(30);
    editor.SelectRange(0, 10, false); // uniform: not italic, mixed: bold and size
    selection.setFaceName(QStringLiteral("DejaVu Serif"));

    TZvRichEdit target;
    target.setText(QStringLiteral("target"));
    target.SelectAll();
    target.SelectionAttributes().setStyleFlags(fsItalic);
    target.SelectionAttributes().Assign(selection);
    EXPECT_EQ(target.SelectionAttributes().FaceName(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(target.SelectionAttributes().StyleFlags(), 0u); // italic was uniform, bold was not
    EXPECT_NE(target.SelectionAttributes().PointSize(), 20);
}

TEST_F(TextAttributesTest, OtherObjectsCannotBeAssignedEitherWay)
{
    struct Other : TPersistent
    {
        QString ClassName() const override { return QStringLiteral("TOther"); }
    } other;
    EXPECT_THROW(selection.Assign(other), EConvertError);
    EXPECT_THROW(other.Assign(selection), EConvertError);
}

TEST_F(TextAttributesTest, WithoutAControlReadsAreEmptyAndWritesAreDropped)
{
    TZvRichEdit fresh;
    TZvTextAttributes& attributes = fresh.SelectionAttributes();
    attributes.setPointSize(30);
    EXPECT_FALSE(fresh.HandleAllocated());
    EXPECT_EQ(attributes.FaceName(), QString());
    EXPECT_EQ(attributes.PointSize(), 0);
    EXPECT_EQ(attributes.TextColor(), TColor(0));
    EXPECT_EQ(attributes.HighlightColor(), TColor(0));
    EXPECT_EQ(attributes.Pitch(), TFontPitch::fpDefault);
}

TEST_F(TextAttributesTest, TheOldLibraryHasNoScriptPositionOrHighlight)
{
    editor.SelectRange(0, 5, false);
    selection.setHighlightColor(RGB(255, 255, 0));
    SetEditorLibraryVersion(1);
    EXPECT_EQ(selection.HighlightColor(), clWindow);
    selection.setScriptPosition(spSubscript);
    selection.setHighlightColor(RGB(0, 0, 255));
    SetEditorLibraryVersion(3);
    EXPECT_EQ(selection.ScriptPosition(), spNormal);
    EXPECT_EQ(selection.HighlightColor(), RGB(255, 255, 0));
}

TEST_F(TextAttributesTest, DefaultAttributesChangeTheDefaultFont)
{
    editor.DefaultAttributes().setPointSize(15);
    editor.DefaultAttributes().setFaceName(QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(editor.control()->document()->defaultFont().pointSize(), 15);
    EXPECT_EQ(editor.DefaultAttributes().FaceName(), QStringLiteral("DejaVu Serif"));
}

} // namespace
