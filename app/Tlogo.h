#pragma once

// The splash window: the program's picture, the registered user and company,
// and a line naming the maker. It shows itself at creation, stays on top, and
// hides itself 2.5 seconds after the event loop starts.
//
// The window system shows and paints a window only while events are handled;
// before the event loop runs, waitUntilPainted lets that happen.

#include "platform/Registry.h"

#include <QWidget>

#include <chrono>

class QLabel;
class TTimer;

class Tlogo : public QWidget
{
    Q_OBJECT
public:
    explicit Tlogo(const Registry& registry = Registry::system(), QWidget* parent = nullptr);

    // The 307 x 177 picture at the top, drawn in code.
    static QPixmap picture();

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    TTimer* Timer1 = nullptr;

    void FormCreate(QObject* Sender);
    void Timer1Timer(QObject* Sender);

    // Handles events until the window is exposed and painted, at most for
    // `limit`; true when it was painted in time.
    bool waitUntilPainted(std::chrono::milliseconds limit);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void placeValueLabels();

    Registry m_registry;
    bool m_painted = false;
};
