// Errors about files as a person meets them through the commands: the error
// message keeps its five lines and names the file and what is wrong with it,
// and a failed save leaves the previous file as it was.

#include "tests/app/MainformFixture.h"
#include "tests/TestFiles.h"

#include "platform/TTimer.h"
#include "platform/WholeFile.h"
#include "platform/ZvApplication.h"

#include <QFile>
#include <QKeyEvent>
#include <QRegularExpression>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int PlainTextSaveType = 4; // "Neformátovaný text(*.txt)"

// The error message with `fileSentence` after its first line (as UTF-8, so
// that a difference reads as text).
std::string errorMessageWith(const QString& fileSentence)
{
    return (QStringLiteral("Pozor, v programu došlo k nečekané chybě.\r\n") + fileSentence +
            QStringLiteral("\r\nInformace o chybě najdete v souboru error.log .\r\n"
                           "Pokud se toto chybové hlášení zobrazí vícekrát,\r\n"
                           "prosím pošlete mi tento soubor na tuto adresu\r\n"
                           "zorvan@example.org"))
        .toStdString();
}

// While alive, every event sent through the application reaches its receiver
// as the program's application object delivers it, so that an exception of a
// command ends in LogException as in the program (tests run under a plain
// QApplication, where it would cross the event loop).
class GuardedEvents
{
public:
    GuardedEvents() { QInternal::registerCallback(QInternal::EventNotifyCallback, deliver); }
    ~GuardedEvents() { QInternal::unregisterCallback(QInternal::EventNotifyCallback, deliver); }
    GuardedEvents(const GuardedEvents&) = delete;
    GuardedEvents& operator=(const GuardedEvents&) = delete;

private:
    static bool deliver(void** data)
    {
        *static_cast<bool*>(data[2]) =
            ZvApplication::deliverGuarded(static_cast<QObject*>(data[0]), static_cast<QEvent*>(data[1]));
        return true;
    }
};

// While alive, every new file that a save writes sits on a full disk: its
// writes fail with ENOSPC.
class FullDisk
{
public:
    FullDisk()
    {
        WholeFile::setOpenedHook([](int descriptor) {
            const int full = ::open("/dev/full", O_WRONLY);
            ASSERT_GE(full, 0);
            ::dup2(full, descriptor);
            ::close(full);
        });
    }
    ~FullDisk() { WholeFile::setOpenedHook({}); }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
};

// While alive, a process started as root runs as "nobody", for whom file
// permissions hold as they hold for a person (root may write any file). Root
// stays the saved user, so the destructor can return to it.
class Unprivileged
{
public:
    Unprivileged()
    {
        if (::geteuid() != 0)
            return;
        const passwd* nobody = ::getpwnam("nobody");
        const uid_t user = nobody ? nobody->pw_uid : 65534;
        const gid_t group = nobody ? nobody->pw_gid : 65534;
        m_dropped = ::setresgid(group, group, 0) == 0 && ::setresuid(user, user, 0) == 0;
    }
    ~Unprivileged()
    {
        if (m_dropped) {
            ::setresuid(0, 0, 0);
            ::setresgid(0, 0, 0);
        }
    }
    bool holds() const { return ::geteuid() != 0; }

private:
    bool m_dropped = false;
};

class MainformFileErrorsTest : public MainformFixture
{
protected:
    // A shown window with `text` typed into it (ASCII: the keys of QTest).
    TMainform& windowWith(const QString& text)
    {
        TMainform& window = createActiveForm();
        QTest::keyClicks(window.editor->control(), text);
        return window;
    }

    void pressCtrl(Qt::Key key) { QTest::keyClick(form->editor->control(), key, Qt::ControlModifier); }

    std::string lastMessage() const
    {
        return desktop.messageTexts().isEmpty() ? std::string()
                                                : desktop.messageTexts().constLast().toStdString();
    }

    GuardedEvents guard;
};

} // namespace

TEST_F(MainformFileErrorsTest, OpeningAMissingFileNamesItAndTheLogAsItIsOnTheDisk)
{
    TMainform& window = windowWith(QStringLiteral("rozepsano"));
    window.editor->setIsModified(false);
    const QString missing = programPath(QStringLiteral("chybí.zvd"));
    desktop.queueFileDialogAnswer(missing);
    pressCtrl(Qt::Key_O);
    EXPECT_EQ(lastMessage(), errorMessageWith(QStringLiteral("Soubor „%1“ neexistuje.").arg(missing)));
    EXPECT_EQ(window.editor->Text(), QStringLiteral("rozepsano"));

    // The log the message names is the one that got the line.
    const QRegularExpressionMatch named = QRegularExpression(QStringLiteral("v souboru (\\S+) \\."))
                                              .match(QString::fromStdString(lastMessage()));
    ASSERT_TRUE(named.hasMatch());
    EXPECT_TRUE(contentsOf(programPath(named.captured(1))).contains(" : EFOpenError - "));
}

TEST_F(MainformFileErrorsTest, ADamagedWordDocumentFailsToLoadAndTheTextStays)
{
    QFile source(QStringLiteral(ZORVAN_TEST_DATA "office/pandoc-pismo.docx"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray bytes = source.readAll();
    const QString damaged = programPath(QStringLiteral("poškozený.docx"));
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.left(bytes.size() - 100));
    file.close();

    TMainform& window = windowWith(QStringLiteral("rozepsano"));
    window.editor->setIsModified(false);
    constexpr int AllFilesType = 5; // "všechny soubory(*.*)", where a person finds a .docx
    desktop.queueFileDialogAnswer(damaged, AllFilesType);
    pressCtrl(Qt::Key_O);
    EXPECT_TRUE(
        QString::fromStdString(lastMessage())
            .startsWith(QStringLiteral("Pozor, v programu došlo k nečekané chybě.\r\nInformace o chybě")))
        << lastMessage();
    EXPECT_EQ(window.editor->Text(), QStringLiteral("rozepsano"));
    EXPECT_FALSE(window.editor->PlainText());
    EXPECT_TRUE(contentsOf(programPath(QStringLiteral("error.log")))
                    .contains(" : EOutOfResources - Failed to Load Stream"));
}

TEST_F(MainformFileErrorsTest, AMissingPictureIsNamedInsteadOfCalledTheWrongType)
{
    TMainform& window = windowWith(QStringLiteral("text"));
    const QString missing = programPath(QStringLiteral("fotka.png"));
    desktop.queueFileDialogAnswer(missing);
    highlightInMenu(window.Vloit2, window.Obrzek1);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(window.Vloit2, &enter);
    EXPECT_EQ(lastMessage(), errorMessageWith(QStringLiteral("Soubor „%1“ neexistuje.").arg(missing)));
    EXPECT_EQ(window.editor->Text(), QStringLiteral("text"));
}

TEST_F(MainformFileErrorsTest, SavingAsAFolderSaysItIsAFolder)
{
    windowWith(QStringLiteral("dopis"));
    const QString folder = programPath(QStringLiteral("dopisy.zvd"));
    ASSERT_TRUE(QDir().mkdir(folder));
    desktop.queueFileDialogAnswer(folder);
    pressCtrl(Qt::Key_S); // an unnamed document asks for a name
    EXPECT_EQ(lastMessage(),
              errorMessageWith(QStringLiteral("Soubor „%1“ nelze uložit, je to složka.").arg(folder)));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

// A read-only file, and a new file in a read-only folder.
TEST_F(MainformFileErrorsTest, SavingWhereNothingMayBeWrittenSaysSoAndKeepsTheFile)
{
    TMainform& window = windowWith(QStringLiteral("nova verze"));
    const QString readOnly = programPath(QStringLiteral("jen-pro-čtení.zvd"));
    writeFile(readOnly, "stará verze");
    const QString lockedFolder = programPath(QStringLiteral("zamčeno"));
    ASSERT_TRUE(QDir().mkdir(lockedFolder));
    ASSERT_EQ(::chmod(QFile::encodeName(readOnly).constData(), 0444), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(lockedFolder).constData(), 0555), 0);
    // The program folder takes the error log from anybody.
    ASSERT_EQ(::chmod(QFile::encodeName(programFolder()).constData(), 0777), 0);
    const QString sentence =
        QStringLiteral("Do souboru „%1“ nelze zapisovat (je jen pro čtení nebo chybí oprávnění).");

    const Unprivileged person;
    ASSERT_TRUE(person.holds());
    window.CurrentFileName = readOnly;
    pressCtrl(Qt::Key_S);
    EXPECT_EQ(lastMessage(), errorMessageWith(sentence.arg(readOnly)));
    EXPECT_EQ(contentsOf(readOnly), "stará verze");

    const QString inLockedFolder = lockedFolder + QStringLiteral("/dopis.zvd");
    window.CurrentFileName.clear();
    desktop.queueFileDialogAnswer(inLockedFolder);
    pressCtrl(Qt::Key_S);
    EXPECT_EQ(lastMessage(), errorMessageWith(sentence.arg(inLockedFolder)));
    EXPECT_FALSE(QFile::exists(inLockedFolder));
    EXPECT_TRUE(window.editor->IsModified());
}

// Rich text written by Save, failing while the long document is still being
// written; plain text by Save As with the plain-text type, failing when its
// last bytes go to the disk.
TEST_F(MainformFileErrorsTest, SavingToAFullDiskSaysTheDiskIsFullAndKeepsTheFile)
{
    TMainform& window = windowWith(QStringLiteral("nova verze"));
    const QString rich = programPath(QStringLiteral("dopis.zvd"));
    writeFile(rich, "stará verze");
    const QString plain = programPath(QStringLiteral("dopis.txt"));
    const FullDisk fullDisk;

    window.editor->Lines().SetText(QStringLiteral("dlouhý řádek textu\r\n").repeated(5000));
    window.CurrentFileName = rich;
    pressCtrl(Qt::Key_S);
    EXPECT_EQ(lastMessage(),
              errorMessageWith(QStringLiteral("Soubor „%1“ nelze uložit, disk je plný.").arg(rich)));
    EXPECT_EQ(contentsOf(rich), "stará verze");

    window.editor->Lines().SetText(QStringLiteral("krátký"));
    window.CurrentFileName.clear();
    desktop.queueFileDialogAnswer(plain, PlainTextSaveType);
    pressCtrl(Qt::Key_S);
    EXPECT_EQ(lastMessage(),
              errorMessageWith(QStringLiteral("Soubor „%1“ nelze uložit, disk je plný.").arg(plain)));
    EXPECT_FALSE(QFile::exists(plain));
}

TEST_F(MainformFileErrorsTest, AnAutosaveToAFullDiskSaysTheDiskIsFull)
{
    TMainform& window = windowWith(QStringLiteral("obsah"));
    const QString path = programPath(QStringLiteral("dopis.zvd"));
    writeFile(path, "stará verze");
    window.CurrentFileName = path;
    const FullDisk fullDisk;
    window.Timer2->setInterval(20);
    window.Timer2->setEnabled(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !desktop.messageTexts().isEmpty(); }, 20000));
    window.Timer2->setEnabled(false);
    EXPECT_EQ(desktop.messageTexts().constFirst().toStdString(),
              errorMessageWith(QStringLiteral("Soubor „%1“ nelze uložit, disk je plný.").arg(path)));
    EXPECT_EQ(contentsOf(path), "stará verze");
}
