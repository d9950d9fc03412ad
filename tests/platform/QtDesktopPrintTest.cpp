#include "platform/QtDesktop.h"

#include <QApplication>
#include <QDialog>
#include <QPageSize>
#include <QPrinter>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

enum class Answer { Accept, Reject };

// Answers the next modal dialog as soon as it is shown.
void answerNextDialog(Answer answer)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->deleteLater();
        poll->stop();
        answer == Answer::Accept ? dialog->accept() : dialog->reject();
    });
    poll->start(10);
}

struct PageSetupCase
{
    const char* name;
    Answer answer;
    bool accepted;
    QPageSize::PageSizeId printerPaper;
};

class QtDesktopPageSetupTest : public ::testing::TestWithParam<PageSetupCase>
{
};

// The dialog opens on the kept A4 paper and margins of 25 mm over a printer
// with Letter paper and margins of 5 mm.
TEST_P(QtDesktopPageSetupTest, OnlyAnAcceptedDialogGivesThePrinterItsPaperAndNeverItsMargins)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    PageSetupOptions options;
    QtDesktop desktop;
    answerNextDialog(GetParam().answer);
    EXPECT_EQ(desktop.pageSetupDialog(printer, options), GetParam().accepted);
    EXPECT_EQ(options, PageSetupOptions{});
    EXPECT_EQ(printer.pageLayout().pageSize().id(), GetParam().printerPaper);
    EXPECT_EQ(printer.pageLayout().margins(QPageLayout::Millimeter), QMarginsF(5, 5, 5, 5));
}

INSTANTIATE_TEST_SUITE_P(Answers, QtDesktopPageSetupTest,
                         ::testing::Values(PageSetupCase{"Accepted", Answer::Accept, true, QPageSize::A4},
                                           PageSetupCase{"Cancelled", Answer::Reject, false,
                                                         QPageSize::Letter}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
