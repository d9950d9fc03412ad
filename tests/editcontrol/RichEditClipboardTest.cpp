#include "editcontrol/RichEditControl.h"

#include "format/TextFormatProperties.h"
#include "editcontrol/FormatRuns.h"
#include "editcontrol/RichEditClipboard.h"
#include "editcontrol/RichEditMimeData.h"
#include "rtf/RtfReader.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

using namespace TextFormatProperties;

namespace {

const QChar Object = QChar::ObjectReplacementCharacter;

// Each run of one character format: where it is and what it looks like.
using Run = std::tuple<int, int, int, bool, QString, QByteArray>;

std::vector<Run> runsOf(const QTextDocument* document)
{
    std::vector<Run> runs;
    forEachFormatRun(document, 0, document->characterCount() - 1,
                     [&](const QTextCharFormat& format, int from, int to) {
                         runs.emplace_back(from, to, format.fontWeight(), format.fontItalic(),
                                           format.foreground().color().name(),
                                           format.property(ObjectPictureData).toByteArray());
                         return true;
                     });
    return runs;
}

bool isUnformatted(const QTextDocument* document)
{
    const auto runs = runsOf(document);
    return std::all_of(runs.cbegin(), runs.cend(), [](const Run& run) {
        return std::get<2>(run) == QFont::Normal && !std::get<3>(run) && std::get<4>(run) == "#000000";
    });
}

QMimeData* mimeData(const std::vector<std::pair<QString, QByteArray>>& formats)
{
    auto* data = new QMimeData;
    for (const auto& [type, bytes] : formats)
        data->setData(type, bytes);
    return data;
}

QByteArray pngBytes()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

class RichEditClipboardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        source.ExLimitText(0xFFFFFF);
        target.ExLimitText(0xFFFFFF);
    }

    void setCharFormat(int from, int to, DWORD mask, DWORD effects, COLORREF color = 0)
    {
        source.SetSel(from, to);
        CHARFORMAT2A format;
        format.dwMask = mask;
        format.dwEffects = effects;
        format.crTextColor = color;
        source.SetCharFormat(SCF_SELECTION, format);
    }

    // Bold, italic and red Czech words, a bulleted item and a picture.
    void writeFormattedText()
    {
        source.SetText(QStringLiteral("Příliš žluťoučký kůň\npoložka "));
        setCharFormat(0, 6, CFM_BOLD, CFE_BOLD);
        setCharFormat(7, 16, CFM_ITALIC, CFE_ITALIC);
        setCharFormat(17, 20, CFM_COLOR, 0, 0x0000FF);
        source.SetSel(21, 21);
        PARAFORMAT2 paragraph;
        paragraph.dwMask = PFM_NUMBERING;
        paragraph.wNumbering = PFN_BULLET;
        source.SetParaFormat(paragraph);
        source.SetSel(29, 29);
        QApplication::clipboard()->setMimeData(mimeData({{RichEditMimeData::PngType, pngBytes()}}));
        source.Paste();
    }

    const RichEditMimeData* copied()
    {
        source.copy();
        return qobject_cast<const RichEditMimeData*>(QApplication::clipboard()->mimeData());
    }

    QString targetText() const { return target.TextRange(WholeText); }

    RichEditControl source{RichEditStyle{}};
    RichEditControl target{RichEditStyle{}};
};

TEST_F(RichEditClipboardTest, CopiedTextPastesWithItsFormatsListAndPicture)
{
    writeFormattedText();
    ASSERT_EQ(source.TextRange(WholeText), QStringLiteral("Příliš žluťoučký kůň\rpoložka ") + Object);
    source.SetSel(0, EndOfText);
    source.copy();
    target.Paste();

    EXPECT_EQ(targetText(), source.TextRange(WholeText));
    EXPECT_EQ(runsOf(target.document()), runsOf(source.document()));
    EXPECT_EQ(target.document()->findBlockByNumber(1).blockFormat().intProperty(BlockNumbering), PFN_BULLET);
    const QTextImageFormat picture = target.document()->find(QString(Object)).charFormat().toImageFormat();
    EXPECT_EQ(picture.property(ObjectPictureData).toByteArray(), pngBytes());
    EXPECT_EQ(target.document()
                  ->resource(QTextDocument::ImageResource, QUrl(picture.name()))
                  .value<QImage>()
                  .size(),
              QSize(3, 2));
    target.Undo();
    EXPECT_EQ(target.GetTextLength(), 0) << "the paste is one undo step";
}

TEST_F(RichEditClipboardTest, ClipboardOffersRtfHtmlAndPlainTextAndALonePictureAsImage)
{
    writeFormattedText();
    source.SetSel(0, EndOfText);
    const RichEditMimeData* data = copied();
    ASSERT_TRUE(data);
    EXPECT_TRUE(source.ownsClipboardData());

    QTextDocument reread;
    const QByteArray rtf = data->data(RichEditMimeData::RtfType);
    ASSERT_TRUE(RtfReader(QTextCursor(&reread)).feed(rtf.constData(), rtf.size()));
    EXPECT_EQ(reread.toPlainText(), QStringLiteral("Příliš žluťoučký kůň\npoložka ") + Object);
    EXPECT_TRUE(data->html().contains(QLatin1String("<img src=\"data:image/png;base64,")));
    EXPECT_EQ(data->text(), QStringLiteral("Příliš žluťoučký kůň\npoložka "));
    EXPECT_FALSE(data->hasImage());

    const std::unique_ptr<RichEditMimeData> clone(data->clone());
    EXPECT_EQ(clone->text(), data->text());
    EXPECT_FALSE(clone->property("zorvanRichEditControl").isValid());

    source.SetSel(29, 30); // the picture, in the list item
    data = copied();
    EXPECT_EQ(data->data(RichEditMimeData::PngType), pngBytes());
    EXPECT_EQ(data->imageData().value<QImage>().size(), QSize(3, 2));
    EXPECT_TRUE(data->text().isEmpty());
}

TEST_F(RichEditClipboardTest, PastedParagraphLeavesTheFormatOfTheParagraphAfterIt)
{
    writeFormattedText();
    target.SetText(QStringLiteral("abcd"));
    source.SetSel(0, 21); // the first paragraph with its mark; the list item follows it
    source.copy();
    target.SetSel(2, 2);
    target.Paste();
    EXPECT_EQ(targetText(), QStringLiteral("abPříliš žluťoučký kůň\rcd"));
    EXPECT_EQ(target.document()->lastBlock().textList(), nullptr);
}

TEST_F(RichEditClipboardTest, RtfWrittenByLibreOfficePastesFormatted)
{
    QFile file(QStringLiteral(ZORVAN_TEST_DATA "interop/libreoffice-pismo.rtf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QApplication::clipboard()->setMimeData(
        mimeData({{RichEditMimeData::RtfType, file.readAll()}, {QStringLiteral("text/plain"), "plain"}}));
    target.Paste();
    EXPECT_TRUE(targetText().contains(QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy.")));
    QTextCursor bold = target.document()->find(QStringLiteral("Tučně"));
    EXPECT_EQ(bold.charFormat().fontWeight(), QFont::Bold);
}

struct PasteOrderCase
{
    const char* name;
    std::vector<std::pair<QString, QByteArray>> formats;
    QString pasted;
};

void PrintTo(const PasteOrderCase& row, std::ostream* out)
{
    *out << row.name;
}

class PasteOrderTest : public RichEditClipboardTest, public ::testing::WithParamInterface<PasteOrderCase>
{
};

TEST_P(PasteOrderTest, TakesTheRichestKindOnOffer)
{
    QApplication::clipboard()->setMimeData(mimeData(GetParam().formats));
    target.Paste();
    EXPECT_EQ(targetText(), GetParam().pasted);
}

const QString Plain = QStringLiteral("text/plain");
const QByteArray Rtf = "{\\rtf1\\ansi\\ansicpg1250 {\\b tu\\'e8n\\'e9}}";

INSTANTIATE_TEST_SUITE_P(
    Kinds, PasteOrderTest,
    ::testing::Values(
        PasteOrderCase{"RtfBeforeText", {{Plain, "text"}, {RichEditMimeData::RtfType, Rtf}}, "tučné"},
        PasteOrderCase{"RtfUnderAnotherName", {{QStringLiteral("application/rtf"), Rtf}}, "tučné"},
        PasteOrderCase{
            "DamagedRtfGivesText", {{Plain, "text"}, {RichEditMimeData::RtfType, "not rtf"}}, "text"},
        PasteOrderCase{
            "PictureBeforeText", {{Plain, "text"}, {RichEditMimeData::PngType, pngBytes()}}, QString(Object)},
        PasteOrderCase{
            "PictureFileDropped",
            {{QStringLiteral("text/uri-list"), "file://" ZORVAN_TEST_DATA "interop/sources/obrazek.png"}},
            QString(Object)},
        PasteOrderCase{"TextAlone", {{Plain, "a\r\nb"}}, "a\rb"}),
    [](const auto& info) { return info.param.name; });

TEST_F(RichEditClipboardTest, WithoutObjectsAPictureAloneIsNotPasted)
{
    target.SetOleCallback(false);
    QApplication::clipboard()->setMimeData(mimeData({{RichEditMimeData::PngType, pngBytes()}}));
    EXPECT_FALSE(target.canPaste());
    target.Paste();
    EXPECT_EQ(targetText(), QString());
}

struct PastedCopyCase
{
    const char* name;
    std::function<void(RichEditControl&)> paste;
    QString pasted;
    bool formatted;
};

void PrintTo(const PastedCopyCase& row, std::ostream* out)
{
    *out << row.name;
}

class PastedCopyTest : public RichEditClipboardTest, public ::testing::WithParamInterface<PastedCopyCase>
{
};

TEST_P(PastedCopyTest, ArrivesAsTheControlAllows)
{
    writeFormattedText();
    source.SetSel(0, EndOfText);
    source.copy();
    GetParam().paste(target);
    EXPECT_EQ(targetText(), GetParam().pasted);
    EXPECT_NE(isUnformatted(target.document()), GetParam().formatted);
}

const QString CopiedText = QStringLiteral("Příliš žluťoučký kůň\rpoložka ");

INSTANTIATE_TEST_SUITE_P(
    Settings, PastedCopyTest,
    ::testing::Values(PastedCopyCase{"PasteSpecialUnicodeText",
                                     [](RichEditControl& c) { c.PasteSpecial(CF_UNICODETEXT); }, CopiedText,
                                     false},
                      PastedCopyCase{"PasteSpecialText", [](RichEditControl& c) { c.PasteSpecial(CF_TEXT); },
                                     CopiedText, false},
                      PastedCopyCase{"PlainTextMode",
                                     [](RichEditControl& c) {
                                         c.SetTextMode(TM_PLAINTEXT | TM_MULTILEVELUNDO);
                                         c.Paste();
                                     },
                                     CopiedText, false},
                      PastedCopyCase{"WithoutObjects",
                                     [](RichEditControl& c) {
                                         c.SetOleCallback(false);
                                         c.Paste();
                                     },
                                     CopiedText, true},
                      PastedCopyCase{"UpToTheLimit",
                                     [](RichEditControl& c) {
                                         c.ExLimitText(6);
                                         c.Paste();
                                     },
                                     QStringLiteral("Příliš"), true}),
    [](const auto& info) { return info.param.name; });

struct OfferCase
{
    const char* name;
    RichEditClipboard::Content content;
    RichEditClipboard::Objects objects;
    bool insertable;
    QString type; // the one kind on offer
    QByteArray bytes;
};

void PrintTo(const OfferCase& row, std::ostream* out)
{
    *out << row.name;
}

class RichEditClipboardOfferTest : public ::testing::TestWithParam<OfferCase>
{
};

TEST_P(RichEditClipboardOfferTest, SaysWhetherAPasteFindsSomethingToInsert)
{
    const OfferCase& row = GetParam();
    QTextDocument document;
    const std::unique_ptr<QMimeData> data(mimeData({{row.type, row.bytes}}));
    EXPECT_EQ(RichEditClipboard(document, 100, row.objects).canInsert(*data, row.content), row.insertable);
}

using Content = RichEditClipboard::Content;
using Objects = RichEditClipboard::Objects;

INSTANTIATE_TEST_SUITE_P(
    Offers, RichEditClipboardOfferTest,
    ::testing::Values(
        OfferCase{"RtfUnderItsOldName", Content::Anything, Objects::Refused, true, "text/richtext", Rtf},
        OfferCase{"RtfIsNoTextForAPlainPaste", Content::TextOnly, Objects::Allowed, false,
                  RichEditMimeData::RtfType, Rtf},
        OfferCase{"JpegWhenObjectsAreAllowed", Content::Anything, Objects::Allowed, true,
                  RichEditMimeData::JpegType, "jpeg"},
        OfferCase{"NoPictureWhenObjectsAreRefused", Content::PictureOnly, Objects::Refused, false,
                  RichEditMimeData::PngType, pngBytes()},
        OfferCase{"NoPictureInText", Content::PictureOnly, Objects::Allowed, false, Plain, "text"}),
    [](const auto& info) { return info.param.name; });

// An RTF picture is dropped when objects are refused, and text over the limit
// is cut from the end of what was pasted, wherever the paste went.
TEST(RichEditClipboardInsertTest, RichTextLosesItsPicturesWithoutObjectsAndItsEndOverTheLimit)
{
    const QByteArray rtf = "{\\rtf1 ab{\\pict\\pngblip " + pngBytes().toHex() + "}cd}";
    const std::unique_ptr<QMimeData> data(mimeData({{RichEditMimeData::RtfType, rtf}}));
    for (const auto& [objects, limit, pasted] :
         {std::tuple{Objects::Refused, 100, QStringLiteral("xabcdy")},
          std::tuple{Objects::Allowed, 100, QStringLiteral("xab") + Object + QStringLiteral("cdy")},
          std::tuple{Objects::Allowed, 5, QStringLiteral("xab") + Object + QStringLiteral("y")}}) {
        QTextDocument document;
        QTextCursor cursor(&document);
        cursor.insertText(QStringLiteral("xy"));
        cursor.setPosition(1);
        RichEditClipboard(document, limit, objects).insert(*data, Content::Anything, cursor);
        EXPECT_EQ(document.toPlainText(), pasted);
        EXPECT_EQ(cursor.position(), pasted.size() - 1) << "after what was pasted";
    }
}

} // namespace
