#include "platform/Library.h"

#include "tests/platform/CLibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(LibraryTest, LoadsByAbsolutePathAndFindsExports)
{
    const QString path = cLibraryPath();
    ASSERT_TRUE(QDir::isAbsolutePath(path)) << path.toStdString();
    Library library(path);
    ASSERT_TRUE(library.isLoaded()) << library.errorString().toStdString();
    EXPECT_NE(library.symbol("printf"), nullptr);
    EXPECT_TRUE(library.errorString().isEmpty());
    using Abs = int (*)(int);
    auto abs = library.function<Abs>("abs");
    ASSERT_NE(abs, nullptr);
    EXPECT_EQ(abs(-3), 3);
}

TEST(LibraryTest, MissingExportGivesNullAndAnError)
{
    Library library(cLibraryPath());
    EXPECT_EQ(library.symbol("zorvan_no_such_export"), nullptr);
    EXPECT_FALSE(library.errorString().isEmpty());
}

TEST(LibraryTest, MissingOrInvalidFileIsNotLoaded)
{
    QTemporaryDir folder;
    Library missing(folder.filePath(QStringLiteral("bin/nothing.dll")));
    EXPECT_FALSE(missing.isLoaded());
    EXPECT_FALSE(missing.errorString().isEmpty());
    EXPECT_EQ(missing.symbol("x"), nullptr);

    QFile text(folder.filePath(QStringLiteral("text.dll")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a library");
    text.close();
    EXPECT_FALSE(Library(text.fileName()).isLoaded());
}

TEST(LibraryTest, RelativeNamesAreRefusedEvenWhenTheFileIsInTheCurrentFolder)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QFile::copy(cLibraryPath(), folder.filePath(QStringLiteral("copy.so"))));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    Library bare(QStringLiteral("copy.so"));
    Library relative(QStringLiteral("./copy.so"));
    QDir::setCurrent(previous);
    EXPECT_FALSE(bare.isLoaded());
    EXPECT_FALSE(relative.isLoaded());
    EXPECT_TRUE(Library(folder.filePath(QStringLiteral("copy.so"))).isLoaded());
}
