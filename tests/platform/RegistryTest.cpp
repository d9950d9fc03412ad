#include "platform/Registry.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

struct OwnerRow
{
    const char* name;
    const char* gecos;
    const char* login;
    const char* owner;
};

class RegistryOwnerTest : public ::testing::TestWithParam<OwnerRow>
{
};

TEST_P(RegistryOwnerTest, FullNameIsTheFirstGecosFieldOrTheLogin)
{
    const OwnerRow row = GetParam();
    EXPECT_EQ(Registry::ownerFromAccount(QString::fromUtf8(row.gecos), QString::fromUtf8(row.login)),
              QString::fromUtf8(row.owner));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RegistryOwnerTest,
    ::testing::Values(OwnerRow{"PlainName", "Jana Nováková", "jana", "Jana Nováková"},
                      OwnerRow{"FieldsAfterComma", "Jana Nováková,Room 12,555,", "jana", "Jana Nováková"},
                      OwnerRow{"EmptyGecos", "", "jana", "jana"},
                      OwnerRow{"OnlyCommas", ",,,", "root", "root"},
                      OwnerRow{"BlanksTrimmed", "  Petr  ,x", "petr", "Petr"}),
    [](const ::testing::TestParamInfo<OwnerRow>& info) { return std::string(info.param.name); });

TEST(RegistryTest, SystemOwnerComesFromTheAccountDatabase)
{
    const passwd* account = getpwuid(getuid());
    ASSERT_NE(account, nullptr);
    Registry registry = Registry::system();
    ASSERT_TRUE(
        registry.openKeyReadOnly(QStringLiteral("\\Software\\Microsoft\\Windows nt\\CurrentVersion")));
    EXPECT_EQ(registry.readString(QStringLiteral("RegisteredOwner")),
              Registry::ownerFromAccount(QString::fromLocal8Bit(account->pw_gecos),
                                         QString::fromLocal8Bit(account->pw_name)));
}

TEST(RegistryTest, OrganizationComesFromTheEnvironment)
{
    const QByteArray saved = qgetenv("ORGANIZATION");
    const bool wasSet = qEnvironmentVariableIsSet("ORGANIZATION");
    qputenv("ORGANIZATION", "Pražská strojírna");
    Registry set = Registry::system();
    qunsetenv("ORGANIZATION");
    Registry unset = Registry::system();
    if (wasSet)
        qputenv("ORGANIZATION", saved);
    ASSERT_TRUE(set.openKeyReadOnly(QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion")));
    EXPECT_EQ(set.readString(QStringLiteral("RegisteredOrganization")), QStringLiteral("Pražská strojírna"));
    ASSERT_TRUE(unset.openKeyReadOnly(QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion")));
    EXPECT_EQ(unset.readString(QStringLiteral("RegisteredOrganization")), QString());
}

TEST(RegistryTest, OnlyTheCurrentVersionKeysOpenNamesIgnoringCase)
{
    Registry registry({QStringLiteral("Owner"), QStringLiteral("Org"), true});
    EXPECT_TRUE(
        registry.openKeyReadOnly(QStringLiteral("\\SOFTWARE\\microsoft\\windows NT\\currentversion")));
    EXPECT_EQ(registry.readString(QStringLiteral("registeredowner")), QStringLiteral("Owner"));
    EXPECT_EQ(registry.readString(QStringLiteral("ProductName")), QString());
    EXPECT_FALSE(registry.openKeyReadOnly(QStringLiteral("\\Software\\Microsoft\\Office")));
    EXPECT_EQ(registry.readString(QStringLiteral("RegisteredOwner")), QString());
}

TEST(RegistryTest, NothingIsReadWithoutAnOpenKey)
{
    Registry registry({QStringLiteral("Owner"), QStringLiteral("Org"), true});
    EXPECT_EQ(registry.readString(QStringLiteral("RegisteredOwner")), QString());
    ASSERT_TRUE(registry.openKeyReadOnly(QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion")));
    registry.closeKey();
    EXPECT_EQ(registry.readString(QStringLiteral("RegisteredOwner")), QString());

    Registry damaged({QStringLiteral("Owner"), QStringLiteral("Org"), false});
    EXPECT_FALSE(damaged.openKeyReadOnly(QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion")));
}

TEST(RegistryTest, FontSubstitutesNameTheFamilyDrawnForAMissingFace)
{
    Registry registry = Registry::system();
    ASSERT_TRUE(registry.openKeyReadOnly(
        QStringLiteral("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes")));
    const QString substitute = registry.readString(QStringLiteral("ms sans serif"));
    EXPECT_TRUE(QFontDatabase::hasFamily(substitute)) << substitute.toStdString();
    EXPECT_EQ(substitute, QFontInfo(QFont(QStringLiteral("MS Sans Serif"))).family())
        << "what the text shows";
    EXPECT_EQ(registry.readString(QStringLiteral("Zorvan Unknown Face")), QString());
    EXPECT_EQ(registry.readString(substitute), QString()) << "an installed face has no substitute";
    EXPECT_EQ(registry.readString(QStringLiteral("RegisteredOwner")), QString());
}
