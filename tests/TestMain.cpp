// Every test program runs its tests inside one QApplication on the offscreen
// platform, because widgets and QTextDocument layout need it. Its desktop is a
// Full HD screen, on which the main window's default place and size fit, with
// a second screen to the right (the platform makes the screen whose name sorts
// first the primary one).
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" ZORVAN_TEST_DATA "offscreen-screens.json");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
