// Streaming on a bare document: what a read leaves of the text, the limit, the
// modified flag and the undo history, and what the format code asks of a write.

#include "editcontrol/RichEditStreaming.h"

#include "editcontrol/DocumentPictures.h"

#include <QImage>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// Hands out `bytes` in one read, then ends the stream.
DWORD fromBytes(DWORD_PTR cookie, BYTE* buffer, LONG count, LONG* transferred)
{
    auto* bytes = reinterpret_cast<QByteArray*>(cookie);
    *transferred = LONG(std::min<qsizetype>(count, bytes->size()));
    std::memcpy(buffer, bytes->constData(), size_t(*transferred));
    bytes->remove(0, *transferred);
    return 0;
}

DWORD toBytes(DWORD_PTR cookie, BYTE* buffer, LONG count, LONG* transferred)
{
    reinterpret_cast<QByteArray*>(cookie)->append(reinterpret_cast<const char*>(buffer), count);
    *transferred = count;
    return 0;
}

class RichEditStreamingTest : public ::testing::Test
{
protected:
    std::optional<LONG> read(UINT format, QByteArray bytes, LONG limit,
                             RichEditStreaming::Undo undo = RichEditStreaming::Undo::On)
    {
        EDITSTREAM stream{DWORD_PTR(&bytes), 0, fromBytes};
        return RichEditStreaming(document, limit).read(format, stream, selection, undo);
    }

    QByteArray write(UINT format)
    {
        QByteArray bytes;
        EDITSTREAM stream{DWORD_PTR(&bytes), 0, toBytes};
        RichEditStreaming(document, 100).write(format, stream, selection);
        return bytes;
    }

    QTextDocument document;
    QTextCursor selection{&document};
};

TEST_F(RichEditStreamingTest, AWholeDocumentReadIsCutToTheLimitAndLeavesFlagAndNoUndo)
{
    selection.insertText(QStringLiteral("starý text"));
    document.setModified(true);
    EXPECT_EQ(read(SF_RTF, "{\\rtf1 nov\\'fd text}", 4), 4);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("nový"));
    EXPECT_TRUE(document.isModified());
    EXPECT_FALSE(document.isUndoAvailable());
    EXPECT_TRUE(document.isUndoRedoEnabled());

    document.setModified(false);
    EXPECT_EQ(read(SF_TEXT, "jiný", 100, RichEditStreaming::Undo::Off), 4);
    EXPECT_FALSE(document.isModified());
    EXPECT_FALSE(document.isUndoRedoEnabled());
}

TEST_F(RichEditStreamingTest, TextReadIntoTheSelectionFillsOnlyTheRoomLeftAsOneUndoStep)
{
    selection.insertText(QStringLiteral("abcd"));
    selection.setPosition(1);
    selection.setPosition(3, QTextCursor::KeepAnchor);
    EXPECT_EQ(read(SF_TEXT | SFF_SELECTION, "VWXYZ", 6), 4);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("aVWXYd"));
    document.undo();
    EXPECT_EQ(document.toPlainText(), QStringLiteral("abcd"));
}

TEST_F(RichEditStreamingTest, ARefusedReadLeavesTheTextAndAnswersNothing)
{
    selection.insertText(QStringLiteral("zůstane"));
    EXPECT_EQ(read(SF_RTF, "no rtf", 100), std::nullopt);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("zůstane"));
}

TEST_F(RichEditStreamingTest, TheFormatCodeChoosesWhatIsWritten)
{
    selection.insertText(QStringLiteral("ab"));
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    DocumentPictures::insert(selection, image, {}, {});

    EXPECT_TRUE(write(SF_RTF).contains("\\pict"));
    EXPECT_FALSE(write(SF_RTFNOOBJS).contains("\\pict"));
    EXPECT_EQ(write(SF_TEXT), "ab");
    EXPECT_EQ(write(SF_TEXT | SF_UNICODE), QByteArray(reinterpret_cast<const char*>(u"ab"), 4));
    selection.setPosition(1);
    selection.setPosition(2, QTextCursor::KeepAnchor);
    EXPECT_EQ(write(SF_TEXT | SFF_SELECTION), "b");
}

} // namespace
