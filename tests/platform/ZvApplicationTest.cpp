#include "platform/ZvApplication.h"

#include "platform/ZvExceptions.h"

#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A widget whose mouse handler fails the way a command can.
class FailingWidget : public QWidget
{
public:
    int presses = 0;
    bool fail = true;

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        ++presses;
        if (fail)
            throw EOleError(QStringLiteral("Objekt nelze vložit"));
    }
    void keyPressEvent(QKeyEvent*) override { throw 42; }
};

QMouseEvent press()
{
    return QMouseEvent(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton,
                       Qt::NoModifier);
}

struct Caught
{
    QObject* sender = nullptr;
    QString className;
    QString message;
    int count = 0;
};

class ZvApplicationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ZvApplication::setExceptionHandler([this](QObject* sender, const std::exception& exception) {
            caught.sender = sender;
            caught.className = ExceptionClassName(exception);
            caught.message = ExceptionMessage(exception);
            ++caught.count;
        });
    }
    void TearDown() override { ZvApplication::clearExceptionHandler(); }

    Caught caught;
};

} // namespace

TEST_F(ZvApplicationTest, ExceptionEscapingAHandlerReachesTheInstalledHandler)
{
    FailingWidget widget;
    QMouseEvent event = press();
    EXPECT_TRUE(ZvApplication::deliverGuarded(&widget, &event));
    EXPECT_EQ(caught.count, 1);
    EXPECT_EQ(caught.sender, &widget);
    EXPECT_EQ(caught.className, QStringLiteral("EOleError"));
    EXPECT_EQ(caught.message, QStringLiteral("Objekt nelze vložit"));
}

TEST_F(ZvApplicationTest, DeliveryGoesOnNormallyAfterAFailure)
{
    FailingWidget widget;
    QMouseEvent first = press();
    ZvApplication::deliverGuarded(&widget, &first);
    widget.fail = false;
    QMouseEvent second = press();
    ZvApplication::deliverGuarded(&widget, &second);
    EXPECT_EQ(widget.presses, 2);
    EXPECT_EQ(caught.count, 1);
}

TEST_F(ZvApplicationTest, ExceptionsOfOtherTypesArriveAsExternalExceptions)
{
    FailingWidget widget;
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    ZvApplication::deliverGuarded(&widget, &key);
    EXPECT_EQ(caught.className, QStringLiteral("EExternalException"));
}

namespace {

class Refusing : public QObject
{
public:
    bool event(QEvent*) override { return false; }
};

} // namespace

TEST_F(ZvApplicationTest, EventsThatNobodyTakesStillReportSo)
{
    Refusing object;
    QEvent event(QEvent::User);
    EXPECT_FALSE(ZvApplication::deliverGuarded(&object, &event));
    EXPECT_EQ(caught.count, 0);
}

TEST(ZvApplicationHandlerTest, AFailingOrMissingHandlerLetsNothingEscape)
{
    FailingWidget widget;
    ZvApplication::clearExceptionHandler();
    QMouseEvent first = press();
    EXPECT_NO_THROW(ZvApplication::deliverGuarded(&widget, &first));

    ZvApplication::setExceptionHandler(
        [](QObject*, const std::exception&) { throw std::runtime_error("the handler failed too"); });
    QMouseEvent second = press();
    EXPECT_NO_THROW(ZvApplication::deliverGuarded(&widget, &second));
    ZvApplication::clearExceptionHandler();
}
