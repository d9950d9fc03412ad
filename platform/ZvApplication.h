#pragma once

// The application object. Its notify() delivers every event inside a guard:
// an exception that escapes an event handler never crosses Qt's event loop;
// it goes to the exception handler the main window installs (or, with none
// installed, is written to standard error), and the program goes on.

#include <QApplication>

#include <exception>
#include <functional>

class ZvApplication : public QApplication
{
    Q_OBJECT
public:
    // Receives the object whose event handler failed and the exception.
    using ExceptionHandler = std::function<void(QObject* sender, const std::exception& exception)>;

    ZvApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    static void setExceptionHandler(ExceptionHandler handler);
    static void clearExceptionHandler() { setExceptionHandler({}); }

    // QApplication's delivery of `event` to `receiver` inside the guard; what
    // notify() does, callable under any QApplication (tests run under a plain one).
    static bool deliverGuarded(QObject* receiver, QEvent* event);

    // Hands an exception that a handler let escape to the installed handler;
    // an exception raised by that handler itself is written to standard error.
    static void handleException(QObject* sender, const std::exception& exception);
};
