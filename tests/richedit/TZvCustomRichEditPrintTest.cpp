#include "richedit/TZvRichEdit.h"

#include "format/FormatValues.h"
#include "editcontrol/RichEditControl.h"
#include "tests/PdfInfo.h"

#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextList>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct PrintCase
{
    const char* name;
    int paragraphs;
    int forcedPages; // paragraphs that begin on a new page
    int pages;
};

class PrintTest : public ::testing::Test
{
protected:
    // Prints the editor's document on A4 into `name` of the folder; returns its path.
    QString print(const QString& name)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(name));
        printer.setPageSize(QPageSize(QPageSize::A4));
        editor.PrintDocument(QStringLiteral("Zorvan - dopis.zvd"), printer);
        return folder.filePath(name);
    }

    void fill(int paragraphs, int forcedPages)
    {
        QTextCursor cursor(editor.control()->document());
        for (int index = 0; index < paragraphs; ++index) {
            if (index > 0) {
                QTextBlockFormat format;
                if (index < forcedPages)
                    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                cursor.insertBlock(format);
            }
            cursor.insertText(
                QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy, odstavec %1.").arg(index));
        }
    }

    TZvRichEdit editor;
    QTemporaryDir folder;
};

class PrintDocumentTest : public PrintTest, public ::testing::WithParamInterface<PrintCase>
{
};

TEST_P(PrintDocumentTest, PrintsOnePageForEachPageOfTheLayoutWithTheTitleAsJobName)
{
    fill(GetParam().paragraphs, GetParam().forcedPages);
    const PdfInfo info = readPdfInfo(print(QStringLiteral("tisk.pdf")));
    EXPECT_EQ(info.pages, GetParam().pages);
    EXPECT_EQ(info.title, QStringLiteral("Zorvan - dopis.zvd"));
}

INSTANTIATE_TEST_SUITE_P(Documents, PrintDocumentTest,
                         ::testing::Values(PrintCase{"Empty", 0, 0, 1}, PrintCase{"OneParagraph", 1, 0, 1},
                                           PrintCase{"FortyParagraphsOnOnePage", 40, 0, 1},
                                           PrintCase{"ThreeParagraphsOnThreePages", 3, 3, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintDocumentTest, APrinterThatCannotStartRaisesAnErrorAndTheNextJobPrintsEverything)
{
    fill(3, 3);
    EXPECT_ANY_THROW(print(QStringLiteral("chybí/tisk.pdf")));
    EXPECT_EQ(readPdfInfo(print(QStringLiteral("tisk.pdf"))).pages, 3);
}

// A printed list shows the labels the screen shows: the paragraph's numbering
// style, counted from the list's start.
TEST_F(PrintDocumentTest, ListLabelsArePrintedAsTheDocumentNumbersThem)
{
    editor.setText(QStringLiteral("jedna\rdva"));
    editor.SelectAll();
    editor.ParagraphAttributes().setListStyle(2);
    editor.ParagraphAttributes().setNumberingStart(5);
    editor.ParagraphAttributes().setNumberingStyle(PFNS_PAREN);
    const QStringList pages = readPdfPages(print(QStringLiteral("seznam.pdf")));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts),
              QStringList({"5)", "jedna", "6)", "dva"}));
}

enum class Labels { None, Numbers };

struct WordsCase
{
    const char* name;
    int paragraphs;
    int wordsEach;
    Labels labels;
};

class PrintedWordsTest : public PrintTest, public ::testing::WithParamInterface<WordsCase>
{
};

// Pages end inside paragraphs and between them; a page shows the line that
// the page before could not hold, and nothing else of that page: a list
// label only beside the first line of its paragraph.
TEST_P(PrintedWordsTest, EachWordIsOnOnePageOnceInTheOrderOfTheText)
{
    QStringList words;
    QTextCursor cursor(editor.control()->document());
    if (GetParam().labels == Labels::Numbers)
        cursor.createList(QTextListFormat::ListDecimal);
    for (int paragraph = 0; paragraph < GetParam().paragraphs; ++paragraph) {
        if (paragraph > 0)
            cursor.insertBlock();
        if (GetParam().labels == Labels::Numbers)
            words += QStringLiteral("%1.").arg(paragraph + 1);
        QStringList paragraphWords;
        for (int index = 0; index < GetParam().wordsEach; ++index)
            paragraphWords +=
                QStringLiteral("s%1").arg(paragraph * GetParam().wordsEach + index, 4, 10, QChar(u'0'));
        cursor.insertText(paragraphWords.join(u' '));
        words += paragraphWords;
    }

    const QStringList pages = readPdfPages(print(QStringLiteral("slova.pdf")));
    EXPECT_GE(pages.size(), 3);
    QStringList printed;
    for (int page = 0; page < pages.size(); ++page) {
        const QStringList pageWords =
            pages[page].split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        ASSERT_FALSE(pageWords.isEmpty()) << "page " << page + 1 << " is empty";
        printed += pageWords;
    }
    const auto [inText, inPrint] =
        std::mismatch(words.cbegin(), words.cend(), printed.cbegin(), printed.cend());
    EXPECT_TRUE(inText == words.cend() && inPrint == printed.cend())
        << "after " << (inText - words.cbegin()) << " words the print has "
        << (inPrint == printed.cend() ? "nothing" : inPrint->toStdString()) << ", the text "
        << (inText == words.cend() ? "nothing" : inText->toStdString());
}

INSTANTIATE_TEST_SUITE_P(Documents, PrintedWordsTest,
                         ::testing::Values(WordsCase{"OneParagraph", 1, 4000, Labels::None},
                                           WordsCase{"ParagraphsOfSeventyWords", 60, 70, Labels::None},
                                           WordsCase{"NumberedParagraphsOfSeventyWords", 60, 70,
                                                     Labels::Numbers}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
