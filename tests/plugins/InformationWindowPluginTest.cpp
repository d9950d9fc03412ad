// zorvanauth.dll (Autor) and zorvaninf.dll (Info): each export shows a modal
// Czech window and returns only once the user has closed it.

#include "tests/plugins/PluginLibrary.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace {

using WindowFunction = void();

enum class CloseBy { Escape, OkButton };

struct ShownWindow
{
    bool seen = false;
    bool visibleWhenSeen = false;
    QString title;
    QString text; // the texts of all labels in the window, one per line
};

// A copy in memory of the test's own: texts set by a plug-in may point into
// the library's constant data, which is gone once the library is unloaded.
QString ownedCopy(const QString& text)
{
    return QString(text.constData(), text.size());
}

// Calls `function` and, from inside its modal loop, records the window it
// shows and closes it the way `closeBy` says. A watchdog closes any window
// still open after five seconds so a broken plug-in fails instead of hanging.
ShownWindow callAndClose(WindowFunction* function, CloseBy closeBy)
{
    ShownWindow shown;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* window = QApplication::activeModalWidget();
        if (window == nullptr)
            return;
        poll.stop();
        shown.seen = true;
        shown.visibleWhenSeen = window->isVisible();
        shown.title = ownedCopy(window->windowTitle());
        for (const QLabel* label : window->findChildren<QLabel*>())
            shown.text += ownedCopy(label->text()) + u'\n';
        switch (closeBy) {
        case CloseBy::Escape: {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(window, &press);
            break;
        }
        case CloseBy::OkButton:
            for (QPushButton* button : window->findChildren<QPushButton*>()) {
                if (button->text().contains(QLatin1String("OK"), Qt::CaseInsensitive))
                    button->click();
            }
            break;
        }
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (QWidget* window = QApplication::activeModalWidget())
            window->close();
    });
    poll.start();
    watchdog.start(5000);
    function();
    return shown;
}

struct WindowCase
{
    const char* name;
    const char* library;
    const char* exportName;
    const char* title;
    std::vector<QString> texts;
};

class InformationWindowPluginTest : public ::testing::TestWithParam<WindowCase>
{
protected:
    ShownWindow show(CloseBy closeBy)
    {
        PluginLibrary library(GetParam().library);
        EXPECT_TRUE(library.isLoaded()) << PluginLibrary::lastError();
        auto* function = library.function<WindowFunction>(GetParam().exportName);
        EXPECT_NE(function, nullptr);
        if (function == nullptr)
            return {};
        return callAndClose(function, closeBy);
    }
};

TEST_P(InformationWindowPluginTest, ShowsTheTitledCzechWindowAndReturnsWhenOkIsPressed)
{
    const ShownWindow shown = show(CloseBy::OkButton);

    ASSERT_TRUE(shown.seen) << "no modal window appeared";
    EXPECT_TRUE(shown.visibleWhenSeen);
    EXPECT_EQ(shown.title, QString::fromUtf8(GetParam().title));
    for (const QString& text : GetParam().texts) {
        EXPECT_TRUE(shown.text.contains(text, Qt::CaseInsensitive))
            << "missing \"" << text.toStdString() << "\" in:\n"
            << shown.text.toStdString();
    }
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_P(InformationWindowPluginTest, EscapeClosesTheWindowAndTheCallReturns)
{
    const ShownWindow shown = show(CloseBy::Escape);

    ASSERT_TRUE(shown.seen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // Nothing of the window outlives the call: the program unloads the library right after it.
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_NE(widget->windowTitle(), QString::fromUtf8(GetParam().title));
}

TEST_P(InformationWindowPluginTest, EveryCallShowsTheWindowAgain)
{
    EXPECT_TRUE(show(CloseBy::Escape).seen);
    EXPECT_TRUE(show(CloseBy::OkButton).seen);
}

INSTANTIATE_TEST_SUITE_P(
    Plugins, InformationWindowPluginTest,
    ::testing::Values(WindowCase{"Author",
                                 "zorvanauth.dll",
                                 "Autor",
                                 "O autorovi",
                                 {QStringLiteral("tým Zorvanu"), QStringLiteral("zorvan@example.org")}},
                      WindowCase{"Program",
                                 "zorvaninf.dll",
                                 "Info",
                                 "O programu",
                                 {QStringLiteral("Zorvan"), QStringLiteral("malý textový editor RTF"),
                                  QStringLiteral("Qt ") + QString::fromLatin1(qVersion()),
                                  QStringLiteral("Zorvan, verze "), QStringLiteral("licence")}}),
    [](const ::testing::TestParamInfo<WindowCase>& info) { return std::string(info.param.name); });

} // namespace
