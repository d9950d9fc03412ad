#include "rtf/RtfField.h"

#include <gtest/gtest.h>

namespace {

struct FieldCase
{
    const char* instruction;
    RtfField::Kind kind;
    const char* name;
    const char* target;
};

void PrintTo(const FieldCase& test, std::ostream* out)
{
    *out << '"' << test.instruction << '"';
}

class RtfFieldTest : public testing::TestWithParam<FieldCase>
{
};

TEST_P(RtfFieldTest, InstructionGivesKindNameAndTarget)
{
    const FieldCase& test = GetParam();
    const RtfField field = RtfField::parse(QString::fromUtf8(test.instruction));
    EXPECT_EQ(field.kind, test.kind);
    EXPECT_EQ(field.name, QLatin1String(test.name));
    EXPECT_EQ(field.linkTarget(), QString::fromUtf8(test.target));
}

INSTANTIATE_TEST_SUITE_P(
    Instructions, RtfFieldTest,
    testing::Values(
        FieldCase{R"( HYPERLINK "https://example.cz/a b" )", RtfField::Kind::Hyperlink, "HYPERLINK",
                  "https://example.cz/a b"},
        FieldCase{"HYPERLINK https://example.cz/x", RtfField::Kind::Hyperlink, "HYPERLINK",
                  "https://example.cz/x"},
        FieldCase{R"(hyperlink "x.html")", RtfField::Kind::Hyperlink, "HYPERLINK", "x.html"},
        FieldCase{R"(HYPERLINK"x.html")", RtfField::Kind::Hyperlink, "HYPERLINK", "x.html"},
        FieldCase{R"(HYPERLINK "doc.rtf" \l "kapitola")", RtfField::Kind::Hyperlink, "HYPERLINK",
                  "doc.rtf#kapitola"},
        FieldCase{R"(HYPERLINK \l "kapitola")", RtfField::Kind::Hyperlink, "HYPERLINK", "#kapitola"},
        FieldCase{R"(HYPERLINK "" "http://a.cz")", RtfField::Kind::Hyperlink, "HYPERLINK", "http://a.cz"},
        FieldCase{R"(HYPERLINK "http://a.cz)", RtfField::Kind::Hyperlink, "HYPERLINK", "http://a.cz"},
        FieldCase{R"(HYPERLINK "žluťoučký.cz" \t "_blank")", RtfField::Kind::Hyperlink, "HYPERLINK",
                  "žluťoučký.cz"},
        FieldCase{"HYPERLINK", RtfField::Kind::Hyperlink, "HYPERLINK", ""},
        FieldCase{R"(HYPERLINK \o "Nápověda" "https://a.cz")", RtfField::Kind::Hyperlink, "HYPERLINK",
                  "https://a.cz"},
        FieldCase{R"(HYPERLINK \t "_blank" \L "b" x.html)", RtfField::Kind::Hyperlink, "HYPERLINK",
                  "x.html#b"},
        FieldCase{R"(PAGE \* MERGEFORMAT)", RtfField::Kind::PageNumber, "PAGE", ""},
        FieldCase{"NUMPAGES", RtfField::Kind::PageCount, "NUMPAGES", ""},
        FieldCase{R"(SYMBOL 253 \f "Wingdings" \s 12)", RtfField::Kind::Symbol, "SYMBOL", ""},
        FieldCase{R"(TIME \@ "H:mm")", RtfField::Kind::Time, "TIME", ""},
        FieldCase{"SHAPE  \\* MERGEFORMAT", RtfField::Kind::Other, "SHAPE", ""},
        FieldCase{"", RtfField::Kind::Other, "", ""}));

TEST(RtfFieldArgumentsTest, SwitchesAndTheirArgumentsAreNotArgumentsAndTheAnchorIsKeptApart)
{
    const RtfField field = RtfField::parse(QStringLiteral(R"(HYPERLINK "a.rtf" \n \l "b" \m)"));
    EXPECT_EQ(field.arguments, QStringList({QStringLiteral("a.rtf")}));
    EXPECT_EQ(field.anchor, QStringLiteral("b"));
    const RtfField date = RtfField::parse(QStringLiteral(R"(DATE \@ "d. M. yyyy" \* MERGEFORMAT)"));
    EXPECT_TRUE(date.arguments.isEmpty()) << date.arguments.join(u'|').toStdString();
    const RtfField symbol = RtfField::parse(QStringLiteral(R"(SYMBOL 0xF0FD \F "Wingdings 2" \s 12 \u)"));
    EXPECT_EQ(symbol.arguments, QStringList({QStringLiteral("0xF0FD")}));
    EXPECT_EQ(symbol.switches.value(QStringLiteral("\\f")), QStringLiteral("Wingdings 2"));
    EXPECT_EQ(symbol.switches.value(QStringLiteral("\\s")), QStringLiteral("12"));
    EXPECT_TRUE(symbol.switches.contains(QStringLiteral("\\u")));
}

} // namespace
