#include "RtfTestSupport.h"

#include "format/TextFormatProperties.h"
#include "rtf/RtfNoteGroup.h"

#include <QTextCursor>

using namespace TextFormatProperties;

namespace {

// A note of two paragraphs, the first with a bold word and a Czech letter.
std::unique_ptr<QTextDocument> twoParagraphNote()
{
    auto note = std::make_unique<QTextDocument>();
    QTextCursor cursor(note.get());
    cursor.insertText(QStringLiteral("Pata "));
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("tučně"), bold);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("{Dal}"), QTextCharFormat());
    return note;
}

// A host document reading the group keeps it as it is, on the mark, and the group reads as
// the note's mark and text.
TEST(RtfNoteGroupTest, ReadsBackAsTheNoteTheReaderKeeps)
{
    const auto note = twoParagraphNote();
    struct Case
    {
        RtfNoteGroup::Kind kind;
        QString customMark;
        const char* mark; // in the host, before the group
        QString text;     // the host's text
        QString noteText;
    } const cases[] = {
        {RtfNoteGroup::Kind::Footnote, {}, "{\\super\\chftn}", "a1 b", "1 Pata tučně\n{Dal}"},
        {RtfNoteGroup::Kind::Endnote, {}, "{\\super\\chftn}", "ai b", "1 Pata tučně\n{Dal}"},
        {RtfNoteGroup::Kind::Footnote, "*", "*", "a* b", "* Pata tučně\n{Dal}"},
    };
    for (const Case& test : cases) {
        const QByteArray group = RtfNoteGroup::write(*note, test.kind, test.customMark);
        ASSERT_TRUE(group.startsWith("{\\footnote ")) << group.constData();
        const auto host = readRtf("{\\rtf1\\ansi\\ansicpg1250 a" + QByteArray(test.mark) + group + " b}");
        EXPECT_EQ(host->toPlainText(), test.text) << group.constData();
        const QTextCharFormat mark = formatAt(*host, 1);
        EXPECT_EQ(mark.property(CharNoteRtf).toByteArray(), group);
        EXPECT_EQ(mark.boolProperty(CharNoteNumbered), test.customMark.isEmpty());

        const auto body = readRtf("{\\rtf1\\ansi\\ansicpg1250" + group.mid(QByteArray("{\\footnote").size()));
        EXPECT_EQ(body->toPlainText().replace(QChar::ParagraphSeparator, u'\n'), test.noteText)
            << group.constData();
        EXPECT_EQ(formatAt(*body, int(body->toPlainText().indexOf(u'č'))).fontWeight(), QFont::Bold);
        EXPECT_EQ(formatAt(*body, 0).verticalAlignment(), QTextCharFormat::AlignSuperScript);
        EXPECT_EQ(formatAt(*body, 3).verticalAlignment(), QTextCharFormat::AlignNormal);
    }
}

} // namespace
