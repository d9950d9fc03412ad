#pragma once

// A document read by one of the office readers, with the formats at its positions and
// paragraphs, for the readers' tests.

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

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
