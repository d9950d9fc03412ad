#include "rtf/RtfTokenizer.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Records the tokens as short strings; \binN and capture requests are obeyed like the reader does.
class Recorder : public RtfTokenizer::Handler
{
public:
    RtfTokenizer tokenizer{*this};
    QStringList tokens;
    QString pendingText;
    QByteArray captured;
    bool captureGroupAfterWord = false;
    int captureDepth = -1;
    int depth = 0;

    void groupOpen() override
    {
        endText();
        ++depth;
        tokens << QStringLiteral("{");
    }
    void groupClose() override
    {
        endText();
        tokens << QStringLiteral("}");
        if (depth-- == captureDepth) {
            captured = tokenizer.takeCapture();
            captureDepth = -1;
        }
    }
    void controlWord(std::string_view word, bool hasParameter, int parameter) override
    {
        endText();
        QString token = QLatin1Char('\\') + QString::fromLatin1(word.data(), qsizetype(word.size()));
        if (hasParameter)
            token += QString::number(parameter);
        tokens << token;
        if (word == "bin")
            tokenizer.startBinary(parameter);
        if (captureGroupAfterWord && word == "pict") {
            tokenizer.startCapture("{\\pict ");
            captureDepth = depth;
        }
    }
    void controlSymbol(char symbol) override
    {
        endText();
        tokens << QStringLiteral("\\") + QLatin1Char(symbol);
    }
    void hexByte(unsigned char byte) override
    {
        endText();
        tokens << QStringLiteral("'%1").arg(byte, 2, 16, QLatin1Char('0'));
    }
    void text(const char* data, qsizetype size) override { pendingText += QString::fromLatin1(data, size); }
    void binary(const char* data, qsizetype size) override
    {
        endText();
        tokens << QStringLiteral("bin:") + QString::fromLatin1(QByteArray(data, size).toHex());
    }
    void endText()
    {
        if (!pendingText.isEmpty())
            tokens << QStringLiteral("text:") + std::exchange(pendingText, QString());
    }

    QStringList read(const QByteArray& input, qsizetype chunk)
    {
        for (qsizetype at = 0; at < input.size(); at += chunk)
            tokenizer.feed(input.constData() + at, std::min(chunk, input.size() - at));
        tokenizer.finish();
        endText();
        // Binary pieces cut by chunks are joined, so that results compare across chunk sizes.
        QStringList joined;
        for (const QString& token : std::as_const(tokens)) {
            if (token.startsWith(QLatin1String("bin:")) && !joined.isEmpty() &&
                joined.last().startsWith(QLatin1String("bin:")))
                joined.last() += token.mid(4);
            else
                joined << token;
        }
        return joined;
    }
};

QStringList tokensOf(const QByteArray& input, qsizetype chunk = 4096)
{
    Recorder recorder;
    return recorder.read(input, chunk);
}

} // namespace

TEST(RtfTokenizerTest, ControlWordsTakeParametersAndOneSpace)
{
    EXPECT_EQ(tokensOf("\\b\\fs24 x\\li-360  y\\par\\'e8z"),
              (QStringList{"\\b", "\\fs24", "text:x", "\\li-360", "text: y", "\\par", "'e8", "text:z"}));
    EXPECT_EQ(tokensOf("\\u269?\\*\\x{\\~}"),
              (QStringList{"\\u269", "text:?", "\\*", "\\x", "{", "\\~", "}"}));
}

TEST(RtfTokenizerTest, LineEndsAreSkippedAndBackslashLineEndIsPar)
{
    EXPECT_EQ(tokensOf("a\r\nb\\\nc"), (QStringList{"text:ab", "\\par", "text:c"}));
}

TEST(RtfTokenizerTest, LongWordsAndParametersAreCut)
{
    const QStringList tokens = tokensOf("\\" + QByteArray(40, 'a') + "12345678901234 x");
    ASSERT_EQ(tokens.size(), 2);
    EXPECT_EQ(tokens.at(0), QStringLiteral("\\") + QString(32, u'a') + QStringLiteral("1234567890"));
    EXPECT_EQ(tokensOf("\\fs99999999999 x").value(0), QStringLiteral("\\fs2147483647"));
    EXPECT_EQ(tokensOf("\\fs-99999999999 x").value(0), QStringLiteral("\\fs-2147483648"));
}

TEST(RtfTokenizerTest, BinaryDataIsNotTokenized)
{
    EXPECT_EQ(tokensOf("\\bin3 }{\\x"), (QStringList{"\\bin3", "bin:7d7b5c", "text:x"}));
    EXPECT_EQ(tokensOf("\\bin0 x"), (QStringList{"\\bin0", "text:x"}));
}

TEST(RtfTokenizerTest, BadHexEscapesGiveNothingForTheirTwoCharacters)
{
    const struct
    {
        QByteArray input;
        QStringList tokens;
    } cases[] = {
        {"a\\'4zb", {"text:ab"}},
        {"a\\'g1b", {"text:ab"}},
        {"a\\'4 b", {"text:ab"}},
        {"a\\'\\'41b", {"text:a", "'41", "text:b"}},
        {"{\\'4}b", {"{", "}", "text:b"}},
        {"a\\'4\\par b", {"text:a", "\\par", "text:b"}},
        {"a\\'4", {"text:a"}},
    };
    for (const auto& entry : cases) {
        for (qsizetype chunk : {qsizetype(1), qsizetype(64)})
            EXPECT_EQ(tokensOf(entry.input, chunk), entry.tokens) << entry.input.constData() << " " << chunk;
    }
}

TEST(RtfTokenizerTest, EveryChunkSizeGivesTheSameTokens)
{
    const QByteArray input = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\fi-360\\'e8\\u-10179?\\bin4 \\}{x"
                             "{\\*\\pn\\pnstart12345}text\\par\\'4}";
    const QStringList whole = tokensOf(input, input.size());
    for (qsizetype chunk = 1; chunk < 12; ++chunk)
        EXPECT_EQ(tokensOf(input, chunk), whole) << chunk;
}

TEST(RtfTokenizerTest, CaptureKeepsTheGroupAcrossChunks)
{
    const QByteArray input = "{\\rtf1 a{\\pict\\wmetafile8\\bin2 }{ 0102}b}";
    for (qsizetype chunk : {qsizetype(1), qsizetype(3), qsizetype(64)}) {
        Recorder recorder;
        recorder.captureGroupAfterWord = true;
        recorder.read(input, chunk);
        EXPECT_EQ(recorder.captured, QByteArray("{\\pict \\wmetafile8\\bin2 }{ 0102}")) << chunk;
    }
}
