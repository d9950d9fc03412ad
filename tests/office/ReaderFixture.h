#pragma once

// A document read by one of the office readers, with the formats at its positions and
// paragraphs, for the readers' tests; and the check both readers' damaged and hostile input
// goes through.

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <vector>

template <typename Reader> class ReaderFixture : public ::testing::Test
{
protected:
    void read(const QByteArray& bytes)
    {
        Reader reader;
        ASSERT_TRUE(reader.read(bytes, document)) << reader.errorString().toStdString();
    }
    QTextCharFormat charAt(int position) const
    {
        QTextCursor cursor(const_cast<QTextDocument*>(&document));
        cursor.setPosition(position + 1);
        return cursor.charFormat();
    }
    QTextBlockFormat blockFormat(int index) const { return document.findBlockByNumber(index).blockFormat(); }

    QTextDocument document;
};

// A package the reader must refuse, under the name a failure reports.
struct RefusedPackage
{
    const char* name;
    QByteArray bytes;
};

// Each package, small as it is, fails the read with a reason under caps of 1 MB a part and
// 3 MB in all, and leaves no text of what it would inflate or expand to ('a's).
template <typename Reader> void expectRefused(const std::vector<RefusedPackage>& packages)
{
    for (const RefusedPackage& package : packages) {
        EXPECT_LT(package.bytes.size(), 20000) << package.name;
        QTextDocument document;
        Reader reader({1 << 20, 1 << 20, 3 << 20});
        EXPECT_FALSE(reader.read(package.bytes, document)) << package.name;
        EXPECT_FALSE(reader.errorString().isEmpty()) << package.name;
        EXPECT_FALSE(document.toPlainText().contains(u'a')) << package.name << ": nothing was expanded";
    }
}
