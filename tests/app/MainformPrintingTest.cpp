// Printing and page setup of the main window: the printer check, which dialog
// comes first, the job title, and what the page setup dialog changes.

#include "tests/app/MainformFixture.h"
#include "tests/PdfInfo.h"

#include "platform/Printer.h"

#include <QFile>
#include <QPageSize>
#include <QPrinter>

namespace {

using Command = void (TMainform::*)(QObject*);
using Kind = ScriptedDesktop::CallKind;

class MainformPrintingTest : public MainformFixture
{
protected:
    void SetUp() override
    {
        MainformFixture::SetUp();
        // The application's printer prints into a PDF file of the program folder.
        Printer().setOutputFormat(QPrinter::PdfFormat);
        Printer().setOutputFileName(printed());
        Printer().setPageSize(QPageSize(QPageSize::A4));
        Printer().setPageOrientation(QPageLayout::Portrait);
        Printer().setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        Printer().setCopyCount(1);
        createForm().show();
    }

    QString printed() const { return programPath(QStringLiteral("tisk.pdf")); }
    void installPrinter() { desktop.setPrinterNames({QStringLiteral("Kancelář")}); }
};

struct PrintCommand
{
    const char* name;
    Command command;
    std::size_t printDialogs; // shown before printing
};

class MainformPrintCommandTest : public MainformPrintingTest,
                                 public ::testing::WithParamInterface<PrintCommand>
{
};

TEST_P(MainformPrintCommandTest, WithoutAPrinterShowsTheMessageAndNoDialogAndPrintsNothing)
{
    (form.get()->*GetParam().command)(nullptr);
    EXPECT_EQ(desktop.messageTexts(),
              QStringList{QStringLiteral("Nemáte nainstalovanou tiskárnu. Nainstalujte si ji prosím.")});
    EXPECT_TRUE(desktop.callsOf(Kind::PrintDialog).empty());
    EXPECT_FALSE(QFile::exists(printed()));
}

TEST_P(MainformPrintCommandTest, PrintsTheDocumentWithTheCaptionAsTheJobTitle)
{
    installPrinter();
    desktop.queuePrintDialogAnswer();
    form->editor->setText(QStringLiteral("Dopis pro tiskárnu"));
    (form.get()->*GetParam().command)(nullptr);
    const PdfInfo info = readPdfInfo(printed());
    EXPECT_EQ(info.pages, 1);
    // Right after start the unnamed document's caption is the program's name.
    EXPECT_EQ(info.title, QStringLiteral("Zorvan"));
    EXPECT_TRUE(desktop.messageTexts().isEmpty());
    EXPECT_EQ(desktop.callsOf(Kind::PrintDialog).size(), GetParam().printDialogs);
}

INSTANTIATE_TEST_SUITE_P(Commands, MainformPrintCommandTest,
                         ::testing::Values(PrintCommand{"QuickPrint", &TMainform::tiskClick, 0},
                                           PrintCommand{"MenuPrint", &TMainform::isk1Click, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainformPrintingTest, MenuPrintPrintsNothingWhenThePrintDialogIsCancelled)
{
    installPrinter();
    desktop.queuePrintDialogCancel();
    form->isk1Click(nullptr);
    EXPECT_EQ(desktop.callsOf(Kind::PrintDialog).size(), 1u);
    EXPECT_FALSE(QFile::exists(printed()));
}

TEST_F(MainformPrintingTest, PageSetupOpensWithoutAPrinterAndOnlyPaperAndOrientationReachThePrinter)
{
    PageSetupOptions chosen;
    chosen.margins = PageMargins{1000, 1000, 1000, 1000};
    chosen.paperWidth = 14800; // A5
    chosen.paperHeight = 21000;
    chosen.orientation = QPageLayout::Landscape;
    desktop.queuePageSetupAnswer(chosen);
    desktop.queuePageSetupCancel();
    form->vzhledstrnky1Click(nullptr);
    form->vzhledstrnky1Click(nullptr);

    // The first use shows the defaults, the next one what was chosen.
    EXPECT_EQ(desktop.pageSetupsShown(), (std::vector<PageSetupOptions>{PageSetupOptions{}, chosen}));
    EXPECT_EQ(Printer().pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(Printer().pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(Printer().pageLayout().margins(QPageLayout::Millimeter), QMarginsF(10, 10, 10, 10));
    EXPECT_TRUE(desktop.messageTexts().isEmpty());
}

} // namespace
