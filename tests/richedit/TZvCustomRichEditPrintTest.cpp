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

} // namespace
