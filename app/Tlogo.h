#pragma once

// The splash window: the program's picture, the registered user and company,
// and a line naming the maker. It shows itself at creation, stays on top, and
// hides itself 2.5 seconds after the event loop starts.

#include "platform/Registry.h"

#include <QWidget>

class QLabel;
class QTimer;

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
    QTimer* Timer1 = nullptr;

    void FormCreate(QObject* Sender);
    void Timer1Timer(QObject* Sender);

private:
    void placeValueLabels();

    Registry m_registry;
};
