#include "app/CzechQtTranslator.h"

#include <QAbstractFileIconProvider>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <gtest/gtest.h>

TEST(CzechQtTranslatorTest, QtsOwnTextsAndNumbersAreCzechIncludingTheFileTypesOfQt6)
{
    const QLocale savedLocale;
    ASSERT_TRUE(CzechQtTranslator::installOn(*QCoreApplication::instance()));
    auto* translator = QCoreApplication::instance()->findChild<CzechQtTranslator*>();
    ASSERT_NE(translator, nullptr);

    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Zrušit"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Files of type:"), QStringLiteral("Soubory typu:"));
    // Asked for under Qt 6's context, held by the catalog under the file dialog's.
    EXPECT_EQ(QAbstractFileIconProvider().type(QFileInfo(QDir::tempPath())), QStringLiteral("Složka"));
    EXPECT_EQ(QLocale().toString(1.5), QStringLiteral("1,5"));

    QCoreApplication::removeTranslator(translator);
    delete translator;
    QLocale::setDefault(savedLocale);
}
