// The converter run as a program, as scripts run it: a PDF that cannot be
// written whole leaves the earlier file, the exit status says so, and what is
// written keeps the permissions of the file it replaces; Word and OpenDocument
// files are read and written by their extensions.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <string>

namespace {

// What a write past the size limit of the converter's files does, as on a full disk.
enum class PastTheLimit { WriteFails, ProcessEnds };

class ZorvanConvertTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        write(QStringLiteral("dopis.rtf"),
              "{\\rtf1\\ansi\\ansicpg1250 Dobr\\'fd den, pos\\'edl\\'e1m dopis.\\par}");
    }

    void write(const QString& name, const QByteArray& content)
    {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QByteArray read(const QString& name)
    {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::string files() const
    {
        return QDir(folder.path()).entryList(QDir::Files, QDir::Name).join(u' ').toStdString();
    }

    // Converts dopis.rtf into `output` of the folder, no file of the converter
    // growing beyond `limit` bytes; the process has ended on return.
    void convert(const QString& output, rlim_t limit = RLIM_INFINITY,
                 PastTheLimit past = PastTheLimit::WriteFails)
    {
        process.setChildProcessModifier([limit, past] {
            std::signal(SIGXFSZ, past == PastTheLimit::WriteFails ? SIG_IGN : SIG_DFL);
            rlimit size{};
            getrlimit(RLIMIT_FSIZE, &size);
            size.rlim_cur = limit;
            setrlimit(RLIMIT_FSIZE, &size);
        });
        process.start(QStringLiteral(ZORVAN_CONVERT),
                      {folder.filePath("dopis.rtf"), folder.filePath(output)});
        process.waitForFinished(-1);
    }

    QTemporaryDir folder;
    QProcess process;
};

TEST_F(ZorvanConvertTest, WordAndOpenDocumentFilesAreReadAndWrittenByTheirExtensions)
{
    const auto run = [&](const char* input, const char* output) {
        QProcess converter;
        converter.start(QStringLiteral(ZORVAN_CONVERT), {folder.filePath(input), folder.filePath(output)});
        converter.waitForFinished(-1);
        return converter.exitCode();
    };
    ASSERT_EQ(run("dopis.rtf", "dopis.docx"), 0);
    ASSERT_EQ(run("dopis.docx", "dopis.odt"), 0);
    ASSERT_EQ(run("dopis.odt", "dopis.txt"), 0);
    EXPECT_TRUE(read(QStringLiteral("dopis.docx")).contains("word/document.xml"));
    EXPECT_TRUE(read(QStringLiteral("dopis.odt")).contains("application/vnd.oasis.opendocument.text"));
    EXPECT_EQ(QString::fromUtf8(read(QStringLiteral("dopis.txt"))).trimmed(),
              QStringLiteral("Dobrý den, posílám dopis."));
}

TEST_F(ZorvanConvertTest, APdfThatDoesNotFitOnTheDiskFailsWithTheErrorAndLeavesTheEarlierFile)
{
    write(QStringLiteral("dopis.pdf"), "%PDF-1.4 earlier pages");
    convert(QStringLiteral("dopis.pdf"), 4096);
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("EFCreateError: Cannot create file"));
    EXPECT_EQ(read(QStringLiteral("dopis.pdf")), QByteArray("%PDF-1.4 earlier pages"));
    EXPECT_EQ(files(), "dopis.pdf dopis.rtf");
}

TEST_F(ZorvanConvertTest, APdfKeepsThePermissionsOfTheFileItReplaces)
{
    write(QStringLiteral("dopis.pdf"), "%PDF-1.4 earlier pages");
    const auto ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
    QFile::setPermissions(folder.filePath("dopis.pdf"), ownerOnly);
    convert(QStringLiteral("dopis.pdf"));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(read(QStringLiteral("dopis.pdf")).endsWith("%%EOF\n"));
    EXPECT_EQ(QFile::permissions(folder.filePath("dopis.pdf")), ownerOnly);
}

TEST_F(ZorvanConvertTest, AConverterEndedWhileWritingAPdfLeavesNoFileBehind)
{
    convert(QStringLiteral("dopis.pdf"), 4096, PastTheLimit::ProcessEnds);
    EXPECT_EQ(process.exitStatus(), QProcess::CrashExit);
    convert(QStringLiteral("dopis.pdf"));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(files(), "dopis.pdf dopis.rtf");
}

} // namespace
