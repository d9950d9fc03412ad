// A damaged plug-in file is refused before the dynamic linker maps it: the
// pages of a truncated library past the end of its file would fault (SIGBUS)
// at their first touch and end the program with the user's unsaved text.

#include "platform/Library.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(DamagedPluginTest, EachPluginTruncatedTo4KbIsRefusedWhileItsWholeCopyLoads)
{
    QTemporaryDir folder;
    for (const char* name : {"zorvancsc.dll", "zorvanauth.dll", "zorvaninf.dll", "zorvanhtmls.dll"}) {
        SCOPED_TRACE(name);
        const QString built = QStringLiteral(ZORVAN_PROGRAM_DIR "bin/") + QString::fromLatin1(name);
        const QString whole = folder.filePath(QStringLiteral("whole-") + QString::fromLatin1(name));
        const QString truncated = folder.filePath(QString::fromLatin1(name));
        ASSERT_TRUE(QFile::copy(built, whole));
        ASSERT_TRUE(QFile::copy(built, truncated));
        ASSERT_TRUE(QFile::resize(truncated, 4096));

        EXPECT_TRUE(Library(whole).isLoaded());
        Library damaged(truncated);
        EXPECT_FALSE(damaged.isLoaded());
        EXPECT_FALSE(damaged.errorString().isEmpty());
    }
}

} // namespace
