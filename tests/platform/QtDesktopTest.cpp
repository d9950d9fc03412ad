#include "platform/QtDesktop.h"

#include "platform/FontDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs `act` on the first modal dialog of type T once it is shown.
template <typename T> void whenShown(std::function<void(T*)> act)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            act(dialog);
        }
    });
    poll->start(10);
}

} // namespace

TEST(QtDesktopTest, NameFilterTurnsWindowsPatternsIntoQtPatterns)
{
    EXPECT_EQ(QtDesktop::nameFilter({QStringLiteral("Textové dokumenty(*.rtf;*.doc;*.zvd)"),
                                     QStringLiteral("*.rtf;*.doc;*.zvd;")}),
              QStringLiteral("Textové dokumenty(*.rtf;*.doc;*.zvd) (*.rtf *.doc *.zvd)"));
    EXPECT_EQ(QtDesktop::nameFilter({QStringLiteral("všechny soubory(*.*)"), QStringLiteral("*.*;")}),
              QStringLiteral("všechny soubory(*.*) (*.*)"));
}

TEST(QtDesktopTest, MessageBoxShowsTheButtonsOfItsFlagsAndReturnsThePressedOne)
{
    QtDesktop desktop;
    QStringList shown;
    whenShown<QMessageBox>([&shown](QMessageBox* box) {
        for (QAbstractButton* button : box->buttons())
            shown << QString::number(box->standardButton(button));
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Yes));
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(desktop.messageBox(QStringLiteral("Uložit změny?"), QStringLiteral("Potvrzení"),
                                 MB_YESNOCANCEL | MB_ICONQUESTION),
              IDNO);
    EXPECT_EQ(shown.size(), 3);
}

TEST(QtDesktopTest, DefaultButtonFollowsTheFlagAndEscapeAnswersCancel)
{
    QtDesktop desktop;
    whenShown<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Cancel));
        box->reject(); // closed by the frame or Escape
    });
    EXPECT_EQ(desktop.messageBox(QStringLiteral("?"), QString(), MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
}

TEST(QtDesktopTest, SaveDialogReturnsTheChosenPathAndOneBasedFileType)
{
    QTemporaryDir folder;
    QtDesktop desktop;
    FileDialogOptions options;
    options.filters = {{QStringLiteral("Zorvan text(*.zvd)"), QStringLiteral("*.zvd")},
                       {QStringLiteral("Neformátovaný text(*.txt)"), QStringLiteral("*.txt")}};
    options.filterIndex = 1;
    options.defaultExtension = QStringLiteral("zvd");
    options.initialDir = folder.path();
    options.fileName = QStringLiteral("nový dokument");
    whenShown<QFileDialog>([&folder](QFileDialog* dialog) {
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("zvd"));
        EXPECT_EQ(dialog->directory().absolutePath(), QDir(folder.path()).absolutePath());
        dialog->selectNameFilter(dialog->nameFilters().at(1));
        dialog->selectFile(folder.filePath(QStringLiteral("dopis.txt")));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    ASSERT_TRUE(desktop.saveFileDialog(options));
    EXPECT_EQ(options.fileName, folder.filePath(QStringLiteral("dopis.txt")));
    EXPECT_EQ(options.filterIndex, 2);
}

TEST(QtDesktopTest, CancelledOpenDialogChangesNothing)
{
    QtDesktop desktop;
    FileDialogOptions options;
    options.fileName = QStringLiteral("x");
    options.filterIndex = 3;
    whenShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(desktop.openFileDialog(options));
    EXPECT_EQ(options.fileName, QStringLiteral("x"));
    EXPECT_EQ(options.filterIndex, 3);
}

TEST(QtDesktopTest, SaveDialogShowsEachTypeOnceAndAppendsTheExtensionOfTheChosenType)
{
    QTemporaryDir folder;
    QtDesktop desktop;
    const std::vector<FileDialogFilter> types = {
        {QStringLiteral("Zorvan text(*.zvd)"), QStringLiteral("*.zvd")},
        {QStringLiteral("Textový dokument(*.doc)"), QStringLiteral("*.doc")},
        {QStringLiteral("Standardní formatovaný text(*.rtf)"), QStringLiteral("*.rtf")},
        {QStringLiteral("Neformátovaný text(*.txt)"), QStringLiteral("*.txt")},
    };
    const char* extensions[] = {"zvd", "doc", "rtf", "txt"};
    for (int type = 1; type <= 4; ++type) {
        SCOPED_TRACE(type);
        FileDialogOptions options;
        options.filters = types;
        options.defaultExtension = QStringLiteral("zvd");
        options.initialDir = folder.path();
        options.fileName = QStringLiteral("nový dokument");
        QStringList shown;
        whenShown<QFileDialog>([&](QFileDialog* dialog) {
            auto* typeBox = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            auto* nameEdit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_TRUE(typeBox && nameEdit);
            for (int index = 0; index < typeBox->count(); ++index)
                shown << typeBox->itemText(index);
            // Picked as the user picks it, with the keyboard.
            QTest::keyClick(typeBox, Qt::Key_Home);
            for (int step = 1; step < type; ++step)
                QTest::keyClick(typeBox, Qt::Key_Down);
            nameEdit->clear();
            QTest::keyClicks(nameEdit, QStringLiteral("dopis"));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        ASSERT_TRUE(desktop.saveFileDialog(options));
        EXPECT_EQ(shown, QStringList({types[0].description, types[1].description, types[2].description,
                                      types[3].description}));
        EXPECT_EQ(options.filterIndex, type);
        EXPECT_EQ(options.fileName,
                  folder.filePath(QStringLiteral("dopis.") + QLatin1String(extensions[type - 1])));
    }
}

TEST(QtDesktopTest, TheWindowThatOwnsADialogGetsTheKeyboardBackWhenItCloses)
{
    QtDesktop desktop;
    QWidget owner;
    owner.show();
    for (auto answer :
         {std::function<void()>([&desktop] {
              whenShown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
              desktop.messageBox(QStringLiteral("Hotovo"), QString(), MB_OK);
          }),
          std::function<void()>([&desktop] {
              FileDialogOptions options;
              whenShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
              desktop.openFileDialog(options);
          }),
          std::function<void()>([&desktop] {
              FontDialogOptions options;
              whenShown<FontDialog>([](FontDialog* dialog) { dialog->reject(); });
              desktop.chooseFont(options);
          })}) {
        QApplication::setActiveWindow(&owner);
        answer();
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), &owner);
    }
}

TEST(QtDesktopTest, AProposedNameKeepsItsExtensionWhateverTypeTheSaveDialogOpensWith)
{
    QTemporaryDir folder;
    QtDesktop desktop;
    FileDialogOptions options;
    options.filters = {{QStringLiteral("Zorvan text(*.zvd)"), QStringLiteral("*.zvd")},
                       {QStringLiteral("Neformátovaný text(*.txt)"), QStringLiteral("*.txt")}};
    options.filterIndex = 2;
    options.defaultExtension = QStringLiteral("zvd");
    options.fileName = folder.filePath(QStringLiteral("dopis.rtf"));
    whenShown<QFileDialog>([](QFileDialog* dialog) {
        QTest::keyClick(dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")), Qt::Key_Return);
    });
    ASSERT_TRUE(desktop.saveFileDialog(options));
    EXPECT_EQ(options.fileName, folder.filePath(QStringLiteral("dopis.rtf")));
}

TEST(QtDesktopTest, AnOpenDialogOpensExactlyTheNameTyped)
{
    QTemporaryDir folder;
    QFile(folder.filePath(QStringLiteral("dopis.rtf"))).open(QIODevice::WriteOnly);
    QtDesktop desktop;
    FileDialogOptions options;
    options.filters = {
        {QStringLiteral("Textové dokumenty(*.rtf;*.doc;*.zvd)"), QStringLiteral("*.rtf;*.doc;*.zvd;")}};
    options.initialDir = folder.path();
    whenShown<QFileDialog>([](QFileDialog* dialog) {
        auto* nameEdit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QTest::keyClicks(nameEdit, QStringLiteral("dopis"));
        QTest::keyClick(nameEdit, Qt::Key_Return);
    });
    ASSERT_TRUE(desktop.openFileDialog(options));
    EXPECT_EQ(options.fileName, folder.filePath(QStringLiteral("dopis")));
}

namespace {

QPushButton* fontDialogButton(FontDialog* dialog, QDialogButtonBox::StandardButton which)
{
    return dialog->findChild<QDialogButtonBox*>()->button(which);
}

// Types `size` into the size field of the font dialog, as the user does.
void typeSize(FontDialog* dialog, const QString& size)
{
    auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("sizeEdit"));
    field->selectAll();
    QTest::keyClicks(field, size);
}

} // namespace

TEST(QtDesktopTest, FontDialogChangesTheOptionsOnlyWhenAcceptedAndItsApplyButtonNeitherClosesNorChanges)
{
    struct Row
    {
        bool applyButton;
        QDialogButtonBox::StandardButton closing;
    };
    for (const Row row : {Row{false, QDialogButtonBox::Ok}, Row{false, QDialogButtonBox::Cancel},
                          Row{true, QDialogButtonBox::Cancel}}) {
        SCOPED_TRACE(row.closing);
        QtDesktop desktop;
        FontDialogOptions options;
        options.applyButton = row.applyButton;
        const TFont shown = options.font;
        QStringList captions;
        bool openAfterApply = false;
        whenShown<FontDialog>([&](FontDialog* dialog) {
            typeSize(dialog, QStringLiteral("20"));
            for (QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons())
                captions << button->text();
            if (QPushButton* apply = fontDialogButton(dialog, QDialogButtonBox::Apply)) {
                apply->click();
                QApplication::processEvents();
                openAfterApply = dialog->isVisible();
            }
            fontDialogButton(dialog, row.closing)->click();
        });
        const bool accepted = desktop.chooseFont(options);
        EXPECT_EQ(accepted, row.closing == QDialogButtonBox::Ok);
        captions.sort();
        EXPECT_EQ(captions.join(u','),
                  row.applyButton ? QStringLiteral("&Použít,OK,Storno") : QStringLiteral("OK,Storno"));
        EXPECT_EQ(openAfterApply, row.applyButton);
        EXPECT_EQ(options.font.Size, accepted ? 20 : 8);
        EXPECT_EQ(options.font == shown, !accepted);
    }
}

TEST(QtDesktopTest, FontDialogRefusesASizeOutOfRangeWithAMessageAndStaysOpen)
{
    QtDesktop desktop;
    FontDialogOptions options;
    QString message;
    bool stayedOpen = false;
    whenShown<FontDialog>([&](FontDialog* dialog) {
        typeSize(dialog, QStringLiteral("0"));
        whenShown<QMessageBox>([&message](QMessageBox* box) {
            message = box->text();
            box->accept();
        });
        fontDialogButton(dialog, QDialogButtonBox::Ok)->click();
        stayedOpen = dialog->isVisible();
        dialog->reject();
    });
    EXPECT_FALSE(desktop.chooseFont(options));
    EXPECT_EQ(message, QStringLiteral("Velikost musí být celé číslo od 1 do 1638 bodů."));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(options.font.Size, 8);
}
