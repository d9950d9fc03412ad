#include "richedit/TZvRichEdit.h"

#include "platform/RichEditControl.h"

#include "tests/PdfInfo.h"

#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextBlockFormat>
#include <QTextCursor>

#include <gtest/gtest.h>

namespace {

struct PrintCase
{
    const char* name;
    int paragraphs;
    int forcedPages; // paragraphs that begin on a new page
    int pages;
};

class PrintDocumentTest : public ::testing::TestWithParam<PrintCase>
{
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    // A printer of A4 pages into a PDF file of the folder.
    void preparePrinter(QPrinter& printer, const QString& name)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(name));
        printer.setPageSize(QPageSize(QPageSize::A4));
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

TEST_P(PrintDocumentTest, PrintsOnePageForEachPageOfTheLayout)
{
    fill(GetParam().paragraphs, GetParam().forcedPages);
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, QStringLiteral("tisk.pdf"));
    editor.PrintDocument(QStringLiteral("Zorvan - dopis.zvd"), printer);
    const PdfInfo info = readPdfInfo(folder.filePath(QStringLiteral("tisk.pdf")));
    EXPECT_EQ(info.pages, GetParam().pages);
    EXPECT_EQ(info.title, QStringLiteral("Zorvan - dopis.zvd"));
}

INSTANTIATE_TEST_SUITE_P(Documents, PrintDocumentTest,
                         ::testing::Values(PrintCase{"Empty", 0, 0, 1}, PrintCase{"OneParagraph", 1, 0, 1},
                                           PrintCase{"FortyParagraphsOnOnePage", 40, 0, 1},
                                           PrintCase{"ThreeParagraphsOnThreePages", 3, 3, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintDocumentTest, ALongTextPrintsThePagesThatThePageFormattingCounts)
{
    fill(400, 0);
    QPrinter measured(QPrinter::HighResolution);
    preparePrinter(measured, QStringLiteral("mereni.pdf"));
    FORMATRANGE range;
    range.hdcTarget = &measured;
    const QRect printable = measured.pageLayout().paintRectPixels(measured.resolution());
    range.rc = RECT{0, 0, printable.width() * 1440 / measured.resolution(),
                    printable.height() * 1440 / measured.resolution()};
    int pages = 0;
    for (LONG first = 0; first < editor.control()->GetTextLength(); ++pages) {
        range.chrg.cpMin = first;
        first = editor.control()->FormatRange(false, &range);
    }
    editor.control()->FormatRange(false, nullptr);
    ASSERT_GT(pages, 3);

    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, QStringLiteral("tisk.pdf"));
    editor.PrintDocument(QStringLiteral("dlouhý"), printer);
    EXPECT_EQ(readPdfInfo(folder.filePath(QStringLiteral("tisk.pdf"))).pages, pages);
}

TEST_F(PrintDocumentTest, APrinterThatCannotStartRaisesAnErrorAndTheNextJobPrintsEverything)
{
    fill(3, 0);
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, QStringLiteral("chybí/tisk.pdf"));
    EXPECT_ANY_THROW(editor.PrintDocument(QStringLiteral("Zorvan"), printer));
    // The next job lays the document out anew and prints all of it.
    preparePrinter(printer, QStringLiteral("tisk.pdf"));
    editor.PrintDocument(QStringLiteral("Zorvan"), printer);
    EXPECT_EQ(readPdfInfo(folder.filePath(QStringLiteral("tisk.pdf"))).pages, 1);
}

} // namespace
