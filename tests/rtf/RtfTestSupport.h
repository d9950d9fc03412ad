#pragma once

// Helpers shared by the RTF tests: read RTF into a fresh document, write a document back.

#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

// Reads rtf into a new document, fed in chunks of chunkSize bytes.
inline std::unique_ptr<QTextDocument> readRtf(const QByteArray& rtf, qsizetype chunkSize = 4096)
{
    auto document = std::make_unique<QTextDocument>();
    RtfReader reader{QTextCursor(document.get())};
    for (qsizetype at = 0; at < rtf.size(); at += chunkSize)
        reader.feed(rtf.constData() + at, std::min(chunkSize, rtf.size() - at));
    reader.finish();
    return document;
}

inline QByteArray writeRtf(const QTextDocument& document, int from = 0, int to = -1,
                           RtfWriter::Options options = RtfWriter::NoOptions)
{
    QByteArray out;
    RtfWriter(document, options)
        .write(
            [&out](const char* data, qsizetype size) {
                out.append(data, size);
                return true;
            },
            from, to);
    return out;
}

// The character format at a position (of the character after it).
inline QTextCharFormat formatAt(const QTextDocument& document, int position)
{
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

inline QTextBlockFormat blockFormatAt(const QTextDocument& document, int blockNumber)
{
    return document.findBlockByNumber(blockNumber).blockFormat();
}

// A sample file of tests/data/rtf/; empty when it is missing.
inline QByteArray sampleRtf(const char* name)
{
    QFile file(QStringLiteral(ZORVAN_TEST_DATA "rtf/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The image characters of a document, in order.
inline std::vector<QTextImageFormat> picturesOf(const QTextDocument& document)
{
    std::vector<QTextImageFormat> pictures;
    const QString text = document.toRawText();
    for (int position = 0; position < text.size(); ++position) {
        if (text.at(position) != QChar::ObjectReplacementCharacter)
            continue;
        const QTextCharFormat format = formatAt(document, position);
        if (format.isImageFormat())
            pictures.push_back(format.toImageFormat());
    }
    return pictures;
}

inline QImage shownImage(const QTextDocument& document, const QTextImageFormat& format)
{
    return document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
}

// Expects `got` to hold the paragraphs of `want` with the same texts, the same
// list kinds and item numbers, and the same values of the block `properties`
// in list items.
inline void expectSameListItems(const QTextDocument& got, const QTextDocument& want,
                                std::initializer_list<int> properties)
{
    ASSERT_EQ(got.blockCount(), want.blockCount());
    for (int number = 0; number < want.blockCount(); ++number) {
        SCOPED_TRACE(number);
        const QTextBlock wantBlock = want.findBlockByNumber(number);
        const QTextBlock gotBlock = got.findBlockByNumber(number);
        EXPECT_EQ(gotBlock.text(), wantBlock.text());
        ASSERT_EQ(gotBlock.textList() != nullptr, wantBlock.textList() != nullptr);
        if (!wantBlock.textList())
            continue;
        EXPECT_EQ(gotBlock.textList()->format().style(), wantBlock.textList()->format().style());
        EXPECT_EQ(gotBlock.textList()->itemNumber(gotBlock), wantBlock.textList()->itemNumber(wantBlock));
        for (const int property : properties)
            EXPECT_EQ(gotBlock.blockFormat().intProperty(property),
                      wantBlock.blockFormat().intProperty(property))
                << property;
    }
}
