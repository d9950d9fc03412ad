// zorvancsc.dll: CreateShortcut writes a freedesktop launcher for the given
// executable on the desktop (location 0) or in the applications menu
// (location 3), inside a temporary home so the tests touch no real desktop.

#include "tests/plugins/PluginLibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

using CreateShortcutFunction = void(const char*, unsigned char, int);

// A value of type string as a reader of desktop entries sees it, escapes undone.
QString unescapedString(const QString& value)
{
    QString unescaped;
    for (int i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            unescaped += value[i];
            continue;
        }
        switch (value[++i].unicode()) {
        case u'n':
            unescaped += u'\n';
            break;
        case u't':
            unescaped += u'\t';
            break;
        case u'r':
            unescaped += u'\r';
            break;
        case u's':
            unescaped += u' ';
            break;
        default:
            unescaped += value[i];
        }
    }
    return unescaped;
}

// Undoes the string escapes and then the quoting of an Exec key, the way a
// desktop environment reads it, giving the program and its arguments.
QStringList execArguments(const QString& execValue)
{
    const QString unescaped = unescapedString(execValue);
    QStringList arguments;
    QString current;
    bool quoted = false;
    bool inArgument = false;
    for (int i = 0; i < unescaped.size(); ++i) {
        const QChar character = unescaped[i];
        if (quoted) {
            if (character == u'\\' && i + 1 < unescaped.size()) {
                current += unescaped[++i];
            } else if (character == u'"') {
                quoted = false;
            } else {
                current += character;
            }
            continue;
        }
        if (character == u' ') {
            if (inArgument)
                arguments << current;
            current.clear();
            inArgument = false;
            continue;
        }
        inArgument = true;
        if (character == u'"')
            quoted = true;
        else
            current += character;
    }
    if (inArgument)
        arguments << current;
    // "%%" is a literal percent sign once field codes are expanded.
    for (QString& argument : arguments)
        argument.replace(QStringLiteral("%%"), QStringLiteral("%"));
    return arguments;
}

class ShortcutPluginTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
            m_savedEnvironment.push_back({name, qEnvironmentVariableIsSet(name)
                                                    ? std::optional<QByteArray>(qgetenv(name))
                                                    : std::nullopt});
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qunsetenv("XDG_DATA_HOME");
        // An empty configuration folder: xdg-user-dir, when installed, finds
        // no user-dirs.dirs there and answers its own default, $HOME/Desktop.
        QDir(m_home.path()).mkpath(QStringLiteral("config"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
    }

    void TearDown() override
    {
        for (const auto& [name, value] : m_savedEnvironment) {
            if (value)
                qputenv(name, *value);
            else
                qunsetenv(name);
        }
    }

    void createShortcut(const QByteArray& executable, unsigned char location)
    {
        PluginLibrary library("zorvancsc.dll");
        ASSERT_TRUE(library.isLoaded()) << PluginLibrary::lastError();
        auto* function = library.function<CreateShortcutFunction>("CreateShortcut");
        ASSERT_NE(function, nullptr);
        function(executable.constData(), location, 0);
    }

    static QString readFile(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll());
    }

    // The value of `key` in the launcher's text; null when the key is missing.
    static QString value(const QString& contents, const QString& key)
    {
        for (const QString& line : contents.split(u'\n')) {
            if (line.startsWith(key + u'='))
                return line.mid(key.size() + 1);
        }
        return {};
    }

    QString homePath(const QString& relative) const { return m_home.filePath(relative); }

    // Every file under the temporary home, relative to it, except the configuration.
    QStringList filesInHome() const
    {
        QStringList files;
        QDir home(m_home.path());
        const QStringList entries =
            home.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
        for (const QString& entry : entries) {
            if (entry != QLatin1String("config"))
                files << entry;
        }
        return files;
    }

private:
    QTemporaryDir m_home;
    std::vector<std::pair<const char*, std::optional<QByteArray>>> m_savedEnvironment;
};

TEST_F(ShortcutPluginTest, DesktopLauncherGoesIntoHomeDesktopWhenNoFolderIsConfigured)
{
    createShortcut("/opt/zorvan/zorvan", 0);

    const QString path = homePath(QStringLiteral("Desktop/zorvan.desktop"));
    ASSERT_TRUE(QFileInfo::exists(path));
    const QString contents = readFile(path);
    EXPECT_EQ(value(contents, QStringLiteral("Exec")), QStringLiteral("\"/opt/zorvan/zorvan\" %f"));
    EXPECT_TRUE(QFileInfo(path).isExecutable());
}

TEST_F(ShortcutPluginTest, DesktopLauncherFollowsTheUsersConfiguredDesktopFolder)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-user-dir")).isEmpty())
        GTEST_SKIP() << "xdg-user-dir is not installed";
    QFile dirs(homePath(QStringLiteral("config/user-dirs.dirs")));
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DESKTOP_DIR=\"$HOME/Plocha\"\n");
    dirs.close();

    createShortcut("/opt/zorvan/zorvan", 0);

    EXPECT_TRUE(QFileInfo::exists(homePath(QStringLiteral("Plocha/zorvan.desktop"))));
    EXPECT_FALSE(QFileInfo::exists(homePath(QStringLiteral("Desktop/zorvan.desktop"))));
}

TEST_F(ShortcutPluginTest, MenuLauncherGoesIntoLocalApplicationsFolder)
{
    createShortcut("/opt/zorvan/zorvan", 3);

    const QString path = homePath(QStringLiteral(".local/share/applications/zorvan.desktop"));
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(value(readFile(path), QStringLiteral("Exec")), QStringLiteral("\"/opt/zorvan/zorvan\" %f"));
    EXPECT_TRUE(QFileInfo(path).isExecutable());
    EXPECT_FALSE(QFileInfo::exists(homePath(QStringLiteral("Desktop"))));
}

TEST_F(ShortcutPluginTest, MenuLauncherFollowsXdgDataHomeAndCreatesMissingFolders)
{
    const QString dataHome = homePath(QStringLiteral("data/nested/share"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome));

    createShortcut("/opt/zorvan/zorvan", 3);

    const QString path = dataHome + QStringLiteral("/applications/zorvan.desktop");
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_TRUE(QFileInfo(path).isExecutable());
    EXPECT_FALSE(QFileInfo::exists(homePath(QStringLiteral(".local"))));
}

TEST_F(ShortcutPluginTest, LauncherDescribesAnOfficeApplicationStartedFromItsFolder)
{
    createShortcut("/opt/zorvan/zorvan", 0);

    const QString contents = readFile(homePath(QStringLiteral("Desktop/zorvan.desktop")));
    EXPECT_TRUE(contents.startsWith(QStringLiteral("[Desktop Entry]\n")));
    EXPECT_EQ(value(contents, QStringLiteral("Type")), QStringLiteral("Application"));
    EXPECT_EQ(value(contents, QStringLiteral("Name")), QStringLiteral("Zorvan"));
    EXPECT_EQ(value(contents, QStringLiteral("Terminal")), QStringLiteral("false"));
    EXPECT_EQ(value(contents, QStringLiteral("Categories")), QStringLiteral("Office;WordProcessor;"));
    EXPECT_EQ(value(contents, QStringLiteral("Path")), QStringLiteral("/opt/zorvan"));
    EXPECT_EQ(value(contents, QStringLiteral("TryExec")), QStringLiteral("/opt/zorvan/zorvan"));
    EXPECT_FALSE(value(contents, QStringLiteral("Icon")).isEmpty());
    const QStringList mimeTypes = value(contents, QStringLiteral("MimeType")).split(u';', Qt::SkipEmptyParts);
    EXPECT_TRUE(mimeTypes.contains(QStringLiteral("text/rtf")) ||
                mimeTypes.contains(QStringLiteral("application/rtf")));
    EXPECT_TRUE(mimeTypes.contains(QStringLiteral("text/plain")));
}

struct ExecPathCase
{
    const char* name;
    const char* path;
};

class ShortcutExecQuotingTest : public ShortcutPluginTest, public ::testing::WithParamInterface<ExecPathCase>
{
};

// Whatever the path holds, a desktop environment that reads the Exec key by
// the freedesktop Desktop Entry rules gets the path back as one argument, then "%f".
TEST_P(ShortcutExecQuotingTest, ExecKeyGivesBackThePathAsOneArgument)
{
    const QByteArray path = GetParam().path;
    createShortcut(path, 3);

    const QString contents = readFile(homePath(QStringLiteral(".local/share/applications/zorvan.desktop")));
    const QStringList arguments = execArguments(value(contents, QStringLiteral("Exec")));
    ASSERT_EQ(arguments.size(), 2) << value(contents, QStringLiteral("Exec")).toStdString();
    EXPECT_EQ(arguments[0], QString::fromUtf8(path));
    EXPECT_EQ(arguments[1], QStringLiteral("%f"));
    EXPECT_EQ(unescapedString(value(contents, QStringLiteral("Path"))),
              QFileInfo(QString::fromUtf8(path)).absolutePath());
    EXPECT_EQ(unescapedString(value(contents, QStringLiteral("TryExec"))), QString::fromUtf8(path));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ShortcutExecQuotingTest,
    ::testing::Values(ExecPathCase{"Plain", "/usr/local/bin/zorvan"},
                      ExecPathCase{"SpacesAndCzechLetters",
                                   "/home/jana/Moje programy/Žluťoučký Zorvan/zorvan"},
                      ExecPathCase{"ShellCharacters", "/opt/a$HOME`id`;&|<>*?#()~/zorvan"},
                      ExecPathCase{"QuotesAndBackslashes", "/opt/say \"hi\"/back\\slash/it's/zorvan"},
                      ExecPathCase{"PercentSigns", "/opt/100%f %u/zorvan"}),
    [](const ::testing::TestParamInfo<ExecPathCase>& info) { return std::string(info.param.name); });

TEST_F(ShortcutPluginTest, SecondCallReplacesTheLauncherWithoutLeavingTemporaryFiles)
{
    createShortcut("/opt/old/zorvan", 0);
    createShortcut("/opt/new/zorvan", 0);

    const QString folder = homePath(QStringLiteral("Desktop"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("zorvan.desktop")});
    EXPECT_EQ(value(readFile(folder + QStringLiteral("/zorvan.desktop")), QStringLiteral("Exec")),
              QStringLiteral("\"/opt/new/zorvan\" %f"));
}

TEST_F(ShortcutPluginTest, UnknownLocationsAndMissingPathWriteNothing)
{
    for (unsigned char location : {1, 2, 4, 255})
        createShortcut("/opt/zorvan/zorvan", location);
    createShortcut("", 0);
    PluginLibrary library("zorvancsc.dll");
    library.function<CreateShortcutFunction>("CreateShortcut")(nullptr, 3, 0);

    EXPECT_TRUE(filesInHome().isEmpty()) << filesInHome().join(u' ').toStdString();
}

TEST_F(ShortcutPluginTest, FolderThatCannotBeCreatedIsSurvivedWithoutWriting)
{
    // XDG_DATA_HOME below an ordinary file: the applications folder cannot exist.
    QFile blocker(homePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_DATA_HOME", QFile::encodeName(homePath(QStringLiteral("file/share"))));

    createShortcut("/opt/zorvan/zorvan", 3);

    EXPECT_EQ(filesInHome(), QStringList{QStringLiteral("file")});
}

TEST_F(ShortcutPluginTest, LauncherThatCannotReplaceWhatIsInItsPlaceIsSurvived)
{
    // A folder where the launcher belongs cannot be renamed over.
    const QString blocked = homePath(QStringLiteral("Desktop/zorvan.desktop"));
    ASSERT_TRUE(QDir().mkpath(blocked));

    createShortcut("/opt/zorvan/zorvan", 0);

    EXPECT_TRUE(QFileInfo(blocked).isDir());
    EXPECT_EQ(QDir(homePath(QStringLiteral("Desktop")))
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("zorvan.desktop")});
}

TEST_F(ShortcutPluginTest, RelativeExecutablePathIsMadeAbsolute)
{
    createShortcut("zorvan", 3);

    const QString contents = readFile(homePath(QStringLiteral(".local/share/applications/zorvan.desktop")));
    const QStringList arguments = execArguments(value(contents, QStringLiteral("Exec")));
    ASSERT_FALSE(arguments.isEmpty());
    EXPECT_EQ(arguments[0], QDir::current().absoluteFilePath(QStringLiteral("zorvan")));
}

TEST_F(ShortcutPluginTest, ReadOnlyDesktopFolderIsSurvivedWithoutWriting)
{
    const QString folder = homePath(QStringLiteral("Desktop"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFileInfo(folder).isWritable())
        GTEST_SKIP() << "running with rights that ignore folder permissions";

    createShortcut("/opt/zorvan/zorvan", 0);

    EXPECT_TRUE(QDir(folder).entryList(QDir::Files | QDir::Hidden).isEmpty());
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace
