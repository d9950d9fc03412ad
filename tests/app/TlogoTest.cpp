#include "app/Tlogo.h"

#include "platform/TTimer.h"

#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

Registry registryWith(const QString& owner, const QString& organization, bool keysExist = true)
{
    return Registry(Registry::Values{owner, organization, keysExist});
}

} // namespace

TEST(TlogoTest, ShowsTheRegisteredOwnerAndOrganization)
{
    Tlogo logo(registryWith(QStringLiteral("Jana Nováková"), QStringLiteral("Pražská strojírna")));
    EXPECT_EQ(logo.Label1->text(), QStringLiteral("Oprávněný uživatel:"));
    EXPECT_EQ(logo.Label3->text(), QStringLiteral("Společnost:"));
    EXPECT_EQ(logo.Label2->text(), QStringLiteral("Jana Nováková"));
    EXPECT_EQ(logo.Label4->text(), QStringLiteral("Pražská strojírna"));
    EXPECT_TRUE(logo.isVisible());
}

TEST(TlogoTest, WithoutTheRegistryKeyTheDesignCaptionsStay)
{
    Tlogo logo(registryWith(QStringLiteral("Jana"), QStringLiteral("Firma"), false));
    EXPECT_EQ(logo.Label2->text(), QStringLiteral("Label2"));
    EXPECT_EQ(logo.Label4->text(), QStringLiteral("Label4"));
}

TEST(TlogoTest, AnEmptyValueReadsAsEmptyText)
{
    Tlogo logo(registryWith(QStringLiteral("petr"), QString()));
    EXPECT_EQ(logo.Label4->text(), QString());
}

TEST(TlogoTest, LabelsStandAtTheirPlacesWithoutOverlapping)
{
    Tlogo logo(registryWith(QStringLiteral("Jana Nováková"), QStringLiteral("Firma")));
    EXPECT_EQ(logo.Label1->pos(), QPoint(16, 184));
    EXPECT_EQ(logo.Label3->pos(), QPoint(16, 208));
    EXPECT_GE(logo.Label2->x(), 136);
    EXPECT_GE(logo.Label4->x(), 88);
    EXPECT_EQ(logo.Label2->y(), 184);
    EXPECT_FALSE(logo.Label1->geometry().intersects(logo.Label2->geometry()));
    EXPECT_FALSE(logo.Label3->geometry().intersects(logo.Label4->geometry()));
    EXPECT_TRUE(logo.Label1->font().bold());
    EXPECT_TRUE(logo.Label1->font().underline());
    EXPECT_TRUE(logo.Label2->font().bold());
    EXPECT_FALSE(logo.Label2->font().underline());
    // The maker's line is centred along the bottom edge.
    EXPECT_EQ(logo.Label5->width(), 307);
    EXPECT_LE(logo.Label5->geometry().bottom(), 247);
    EXPECT_GT(logo.Label5->y(), logo.Label4->geometry().bottom());
}

TEST(TlogoTest, IsAFramelessSkyBlueWindowOnTopWithItsPictureAtTheTop)
{
    Tlogo logo(registryWith(QString(), QString()));
    EXPECT_EQ(logo.size(), QSize(307, 248));
    EXPECT_TRUE(logo.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(logo.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(logo.palette().color(QPalette::Window), QColor(166, 202, 240));
    EXPECT_EQ(logo.Image1->geometry(), QRect(0, 0, 307, 177));

    const QImage picture = Tlogo::picture().toImage();
    EXPECT_EQ(picture.size(), QSize(307, 177));
    EXPECT_NE(picture.pixel(5, 5), picture.pixel(60, 80)); // sky and sheet differ
}

TEST(TlogoTest, TheTimerHidesTheWindowOnceTwoAndAHalfSecondsHavePassed)
{
    using std::chrono::milliseconds;
    TTimer::ManualTime time;
    Tlogo logo(registryWith(QString(), QString()));
    time.advance(milliseconds(2499));
    EXPECT_TRUE(logo.isVisible());
    time.advance(milliseconds(1));
    EXPECT_FALSE(logo.isVisible());
    time.advance(milliseconds(5000));
    EXPECT_FALSE(logo.isVisible()) << "later ticks find it hidden";
}

TEST(TlogoTest, WaitUntilPaintedReturnsAsSoonAsTheWindowIsExposedAndPainted)
{
    QElapsedTimer clock;
    clock.start();
    Tlogo logo(registryWith(QString(), QString()));
    EXPECT_TRUE(logo.waitUntilPainted(std::chrono::seconds(30)));
    EXPECT_TRUE(logo.windowHandle()->isExposed());
    // Painting takes milliseconds even on a busy machine; waiting out the limit would not.
    EXPECT_LT(clock.elapsed(), 15000) << "it returns as soon as it is painted";
}
