#include "platform/ZvExceptions.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <new>
#include <stdexcept>

TEST(ZvExceptionsTest, OwnExceptionsReportTheirOwnClassName)
{
    EXPECT_EQ(ExceptionClassName(Exception(QStringLiteral("x"))), QStringLiteral("Exception"));
    EXPECT_EQ(ExceptionClassName(EOutOfResources(QStringLiteral("Failed to Load Stream"))),
              QStringLiteral("EOutOfResources"));
    EXPECT_EQ(ExceptionClassName(EFOpenError(QStringLiteral("x"))), QStringLiteral("EFOpenError"));
    EXPECT_EQ(ExceptionClassName(EFCreateError(QStringLiteral("x"))), QStringLiteral("EFCreateError"));
    EXPECT_EQ(ExceptionClassName(EOleError(QStringLiteral("x"))), QStringLiteral("EOleError"));
    EXPECT_EQ(ExceptionClassName(EConvertError(QStringLiteral("x"))), QStringLiteral("EConvertError"));
}

TEST(ZvExceptionsTest, ClassNameIsThatOfTheMostDerivedClassWhenCaughtThroughItsBase)
{
    try {
        throw EFCreateError(QStringLiteral("Cannot create file"));
    } catch (const EStreamError& error) {
        EXPECT_EQ(error.className(), QStringLiteral("EFCreateError"));
    }
    try {
        throw EOutOfResources(QStringLiteral("Failed to Save Stream"));
    } catch (const std::exception& error) {
        EXPECT_EQ(ExceptionClassName(error), QStringLiteral("EOutOfResources"));
        EXPECT_EQ(ExceptionMessage(error), QStringLiteral("Failed to Save Stream"));
    }
}

TEST(ZvExceptionsTest, StandardExceptionsGetReadableClassNames)
{
    EXPECT_EQ(ExceptionClassName(std::bad_alloc()), QStringLiteral("EOutOfMemory"));
    EXPECT_EQ(ExceptionClassName(std::runtime_error("x")), QStringLiteral("std::runtime_error"));
    EXPECT_EQ(ExceptionClassName(std::out_of_range("x")), QStringLiteral("std::out_of_range"));
}

TEST(ZvExceptionsTest, MessagesKeepCzechTextInBothDirections)
{
    const QString message = QStringLiteral("Soubor „příliš žluťoučký“ nelze otevřít");
    const EFOpenError error(message);
    EXPECT_EQ(error.message(), message);
    EXPECT_EQ(QString::fromUtf8(error.what()), message);
    EXPECT_EQ(ExceptionMessage(std::runtime_error(message.toStdString())), message);
}

TEST(ZvExceptionsTest, AFileFaultWithoutCzechWordsOfItsOwnGivesTheSystemsReason)
{
    const QString file = QStringLiteral("/data/dopis.zvd");
    EXPECT_EQ(
        FileFaultSentence(EFOpenError(QStringLiteral("x"), FileFault{file, FileAccess::Reading, EIO,
                                                                     QStringLiteral("Input/output error")})),
        QStringLiteral("Soubor „/data/dopis.zvd“ nelze přečíst: Input/output error."));
    EXPECT_EQ(
        FileFaultSentence(EFCreateError(QStringLiteral("x"), FileFault{file, FileAccess::Writing, EFBIG,
                                                                       QStringLiteral("File too large.")})),
        QStringLiteral("Soubor „/data/dopis.zvd“ nelze uložit: File too large."));
    EXPECT_EQ(
        FileFaultSentence(EFCreateError(QStringLiteral("x"), FileFault{file, FileAccess::Writing, 0, {}})),
        QStringLiteral("Soubor „/data/dopis.zvd“ nelze uložit."));
    // Errors that are not about a file add nothing.
    EXPECT_TRUE(FileFaultSentence(EFCreateError(QStringLiteral("x"))).isEmpty());
    EXPECT_TRUE(FileFaultSentence(std::runtime_error("x")).isEmpty());
}
