#include "platform/ZvApplication.h"

#include "platform/ZvExceptions.h"

#include <cstdio>
#include <utility>

namespace {

ZvApplication::ExceptionHandler& installedHandler()
{
    static ZvApplication::ExceptionHandler handler;
    return handler;
}

} // namespace

ZvApplication::ZvApplication(int& argc, char** argv) : QApplication(argc, argv)
{
}

bool ZvApplication::notify(QObject* receiver, QEvent* event)
{
    return deliverGuarded(receiver, event);
}

void ZvApplication::setExceptionHandler(ExceptionHandler handler)
{
    installedHandler() = std::move(handler);
}

bool ZvApplication::deliverGuarded(QObject* receiver, QEvent* event)
{
    try {
        return qApp->QApplication::notify(receiver, event);
    } catch (const std::exception& exception) {
        handleException(receiver, exception);
    } catch (...) {
        handleException(receiver, EExternalException(QStringLiteral("External exception")));
    }
    // The failed handler counts as having taken the event, so it is not passed on.
    return true;
}

void ZvApplication::handleException(QObject* sender, const std::exception& exception)
{
    const ExceptionHandler handler = installedHandler();
    if (!handler) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(ExceptionClassName(exception)),
                     qPrintable(ExceptionMessage(exception)));
        return;
    }
    // The handler runs a modal message box; exceptions of handlers that run
    // meanwhile come back here and are handled in the same way. One that the
    // handler itself raises must not escape either.
    try {
        handler(sender, exception);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "the exception handler failed: %s\n", failure.what());
    } catch (...) {
        std::fprintf(stderr, "the exception handler failed\n");
    }
}
