// The four plug-in calls: the messages when a library or its export is
// missing or its file is damaged, the libraries found only in the program's
// own bin folder, and each export actually called when present.

#include "tests/app/MainformFixture.h"

#include "editcontrol/RichEditControl.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMenu>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace {

const char* const pluginNames[] = {"zorvancsc.dll", "zorvanauth.dll", "zorvaninf.dll", "zorvanhtmls.dll"};

QString builtPlugin(const char* name)
{
    return QStringLiteral(ZORVAN_PROGRAM_DIR "bin/") + QString::fromLatin1(name);
}

bool pluginsBuilt()
{
    for (const char* name : pluginNames) {
        if (!QFile::exists(builtPlugin(name)))
            return false;
    }
    return true;
}

// Closes every modal window as soon as it shows, counting them, until stopped.
class ModalCloser
{
public:
    ModalCloser()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                m_titles << modal->windowTitle();
                modal->close();
            }
        });
        m_timer.start(20);
    }
    int count() const { return int(m_titles.size()); }

private:
    QTimer m_timer;
    QStringList m_titles;
};

struct PluginCall
{
    const char* name;
    const char* library;
    QString notFound;
    std::function<void(TMainform&)> run;
};

} // namespace

class MainformPluginTest : public MainformFixture
{
protected:
    void copyPlugin(const char* name, const QString& targetName)
    {
        QDir().mkpath(programPath(QStringLiteral("bin")));
        ASSERT_TRUE(QFile::copy(builtPlugin(name), programPath(QStringLiteral("bin/") + targetName)));
    }
};

class MainformPluginMissingTest : public MainformFixture, public ::testing::WithParamInterface<PluginCall>
{
};

TEST_P(MainformPluginMissingTest, WithoutTheBinFolderEachCallShowsItsMessageAndTheProgramGoesOn)
{
    TMainform& window = createForm();
    GetParam().run(window);
    GetParam().run(window); // loaded at every call, so reported at every call
    EXPECT_EQ(desktop.messageTexts(), (QStringList{GetParam().notFound, GetParam().notFound}));
    EXPECT_EQ(desktop.calls()[0].caption, QStringLiteral("Zorvan"));
    EXPECT_TRUE(window.isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Plugins, MainformPluginMissingTest,
    ::testing::Values(
        PluginCall{"Shortcut", "zorvancsc.dll", QStringLiteral("dynamická knihovna zorvancsc.dll nenalezena"),
                   [](TMainform& window) { window.RunShortcutPlugin(0); }},
        PluginCall{"Author", "zorvanauth.dll", QStringLiteral("Dynamická knihovna zorvanauth.dll nenalezena"),
                   [](TMainform& window) { window.RunAuthorPlugin(); }},
        PluginCall{"Info", "zorvaninf.dll", QStringLiteral("dynamická knihovna zorvaninf.dll nenalezena"),
                   [](TMainform& window) { window.RunInfoPlugin(); }},
        PluginCall{"Html", "zorvanhtmls.dll", QStringLiteral("Dynamická knihovna zorvanhtmls.dll nenalezena"),
                   [](TMainform& window) { window.RunHtmlPlugin(window.editor); }},
        PluginCall{"AuthorMenuItem", "zorvanauth.dll",
                   QStringLiteral("Dynamická knihovna zorvanauth.dll nenalezena"),
                   [](TMainform& window) { window.Oautorovi1->trigger(); }},
        PluginCall{"InfoMenuItem", "zorvaninf.dll",
                   QStringLiteral("dynamická knihovna zorvaninf.dll nenalezena"),
                   [](TMainform& window) { window.Oprogramu1->trigger(); }},
        PluginCall{"AuthorToolButton", "zorvanauth.dll",
                   QStringLiteral("Dynamická knihovna zorvanauth.dll nenalezena"),
                   [](TMainform& window) { window.ToolButton30->click(); }},
        PluginCall{"InfoToolButton", "zorvaninf.dll",
                   QStringLiteral("dynamická knihovna zorvaninf.dll nenalezena"),
                   [](TMainform& window) { window.ToolButton29->click(); }}),
    [](const ::testing::TestParamInfo<PluginCall>& info) { return std::string(info.param.name); });

TEST_F(MainformPluginTest, ALibraryOfTheSameNameInTheCurrentFolderIsNeverLoaded)
{
    if (!pluginsBuilt())
        GTEST_SKIP() << "the plug-ins are not built in " ZORVAN_PROGRAM_DIR "bin/";
    QTemporaryDir current;
    QDir(current.path()).mkpath(QStringLiteral("bin"));
    ASSERT_TRUE(
        QFile::copy(builtPlugin("zorvaninf.dll"), current.filePath(QStringLiteral("bin/zorvaninf.dll"))));
    ASSERT_TRUE(QFile::copy(builtPlugin("zorvaninf.dll"), current.filePath(QStringLiteral("zorvaninf.dll"))));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(current.path());
    TMainform& window = createForm();
    ModalCloser closer;
    window.RunInfoPlugin();
    QDir::setCurrent(previous);
    EXPECT_EQ(desktop.messageTexts(),
              QStringList{QStringLiteral("dynamická knihovna zorvaninf.dll nenalezena")});
    EXPECT_EQ(closer.count(), 0);
}

TEST_F(MainformPluginTest, ATruncatedAuthorLibraryChosenFromTheHelpMenuShowsItsMessageAndTheProgramGoesOn)
{
    if (!pluginsBuilt())
        GTEST_SKIP() << "the plug-ins are not built in " ZORVAN_PROGRAM_DIR "bin/";
    copyPlugin("zorvanauth.dll", QStringLiteral("zorvanauth.dll"));
    ASSERT_TRUE(QFile::resize(programPath(QStringLiteral("bin/zorvanauth.dll")), 4096));
    TMainform& window = createForm();
    window.show();
    QApplication::setActiveWindow(&window);
    QTest::keyClick(window.editor->control(), Qt::Key_N, Qt::AltModifier);
    ASSERT_TRUE(window.Help1->isVisible());
    QTest::mouseClick(window.Help1, Qt::LeftButton, {},
                      window.Help1->actionGeometry(window.Oautorovi1).center());
    EXPECT_EQ(desktop.messageTexts(),
              QStringList{QStringLiteral("Dynamická knihovna zorvanauth.dll nenalezena")});
    EXPECT_TRUE(window.isEnabled());
}

TEST_F(MainformPluginTest, ALibraryWithoutTheExportShowsTheProcedureMessage)
{
    if (!pluginsBuilt())
        GTEST_SKIP() << "the plug-ins are not built in " ZORVAN_PROGRAM_DIR "bin/";
    // The author library exports Autor, not Info, CreateShortcut or htmlsyntaxe.
    copyPlugin("zorvanauth.dll", QStringLiteral("zorvaninf.dll"));
    copyPlugin("zorvanauth.dll", QStringLiteral("zorvancsc.dll"));
    copyPlugin("zorvanauth.dll", QStringLiteral("zorvanhtmls.dll"));
    TMainform& window = createForm();
    window.RunInfoPlugin();
    window.RunShortcutPlugin(3);
    window.RunHtmlPlugin(window.editor);
    const QString missing = QStringLiteral("Nebyla nalezena potřebná procedura");
    EXPECT_EQ(desktop.messageTexts(), (QStringList{missing, missing, missing}));
}

TEST_F(MainformPluginTest, AuthorAndInfoShowTheirModalWindowsAndReturnWhenTheyClose)
{
    if (!pluginsBuilt())
        GTEST_SKIP() << "the plug-ins are not built in " ZORVAN_PROGRAM_DIR "bin/";
    copyPlugin("zorvanauth.dll", QStringLiteral("zorvanauth.dll"));
    copyPlugin("zorvaninf.dll", QStringLiteral("zorvaninf.dll"));
    TMainform& window = createForm();
    window.show();
    ModalCloser closer;
    window.Oautorovi1->trigger();
    EXPECT_EQ(closer.count(), 1);
    window.ToolButton29->click();
    EXPECT_EQ(closer.count(), 2);
    EXPECT_TRUE(desktop.calls().empty());
}

TEST_F(MainformPluginTest, ShortcutPluginWritesALauncherForTheExecutable)
{
    if (!pluginsBuilt())
        GTEST_SKIP() << "the plug-ins are not built in " ZORVAN_PROGRAM_DIR "bin/";
    copyPlugin("zorvancsc.dll", QStringLiteral("zorvancsc.dll"));
    QTemporaryDir home;
    const QByteArray savedHome = qgetenv("HOME");
    const QByteArray savedDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("XDG_DATA_HOME");
    TMainform& window = createForm();
    window.RunShortcutPlugin(3);
    qputenv("HOME", savedHome);
    if (!savedDataHome.isEmpty())
        qputenv("XDG_DATA_HOME", savedDataHome);
    EXPECT_TRUE(desktop.calls().empty());

    QStringList launchers;
    QDirIterator found(home.filePath(QStringLiteral(".local/share/applications")),
                       {QStringLiteral("*.desktop")}, QDir::Files);
    while (found.hasNext())
        launchers << found.next();
    ASSERT_EQ(launchers.size(), 1);
    QFile launcher(launchers.constFirst());
    ASSERT_TRUE(launcher.open(QIODevice::ReadOnly));
    QString exec;
    for (const QString& line : QString::fromUtf8(launcher.readAll()).split(u'\n')) {
        if (line.startsWith(QStringLiteral("Exec=")))
            exec = line;
    }
    // The launcher starts this executable, quoted or not, with the file it is given.
    const QString executable = QCoreApplication::applicationFilePath();
    EXPECT_TRUE(exec == QStringLiteral("Exec=\"%1\" %f").arg(executable) ||
                exec == QStringLiteral("Exec=%1 %f").arg(executable))
        << exec.toStdString();
}

TEST_F(MainformPluginTest, HtmlPluginColoursTheEditorsTagsAndKeepsTheSelection)
{
    if (!pluginsBuilt())
        GTEST_SKIP() << "the plug-ins are not built in " ZORVAN_PROGRAM_DIR "bin/";
    copyPlugin("zorvanhtmls.dll", QStringLiteral("zorvanhtmls.dll"));
    TMainform& window = createForm();
    const QString html = QStringLiteral("<p class=\"a\">Ahoj</p>");
    window.editor->setText(html);
    window.editor->setSelectionStart(14);
    window.editor->setSelectionLength(2);
    window.RunHtmlPlugin(window.editor);
    EXPECT_TRUE(desktop.calls().empty());
    EXPECT_EQ(window.editor->Text(), html);
    EXPECT_EQ(window.editor->SelectionStart(), 14);
    EXPECT_EQ(window.editor->SelectionLength(), 2);

    auto colourAt = [&window](int position) {
        QTextCursor cursor(window.editor->control()->document());
        cursor.setPosition(position + 1);
        return cursor.charFormat().foreground().color();
    };
    EXPECT_NE(colourAt(1), colourAt(14)); // "p" of the tag against "A" of the text
}
