#include "platform/QtDesktop.h"

#include <QApplication>
#include <QDialog>
#include <QPageSize>
#include <QPrinter>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct PageSetupCase
{
    const char* name;
    bool accept;
    QPageSize::PageSizeId printerPaper;
};

class QtDesktopPageSetupTest : public ::testing::TestWithParam<PageSetupCase>
{
};

// The dialog opens on the kept A4 paper and 25 mm margins over a printer with
// Letter paper and 5 mm margins.
TEST_P(QtDesktopPageSetupTest, OnlyAnAcceptedDialogGivesThePrinterItsPaperAndNeverItsMargins)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    PageSetupOptions options;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [accept = GetParam().accept] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            accept ? dialog->accept() : dialog->reject();
    });
    answer.start(10);
    EXPECT_EQ(QtDesktop().pageSetupDialog(printer, options), GetParam().accept);
    EXPECT_EQ(options, PageSetupOptions{});
    EXPECT_EQ(printer.pageLayout().pageSize().id(), GetParam().printerPaper);
    EXPECT_EQ(printer.pageLayout().margins(QPageLayout::Millimeter), QMarginsF(5, 5, 5, 5));
}

INSTANTIATE_TEST_SUITE_P(Answers, QtDesktopPageSetupTest,
                         ::testing::Values(PageSetupCase{"Accepted", true, QPageSize::A4},
                                           PageSetupCase{"Cancelled", false, QPageSize::Letter}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
