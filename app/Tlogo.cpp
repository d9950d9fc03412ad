#include "app/Tlogo.h"

#include "platform/OsVersion.h"
#include "platform/TTimer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace {

// Sky blue, 0xF0CAA6 as Windows writes colours (0x00BBGGRR).
const QColor skyBlue(166, 202, 240);

QLabel* newLabel(QWidget* parent, const char* name, const QString& caption, QPoint position, bool underlined)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(12);
    font.setBold(true);
    font.setUnderline(underlined);
    label->setFont(font);
    label->move(position);
    label->adjustSize();
    return label;
}

} // namespace

Tlogo::Tlogo(const Registry& registry, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_registry(registry)
{
    setObjectName(QStringLiteral("logo"));
    setWindowTitle(QStringLiteral("logo"));
    setFixedSize(307, 248);
    setAttribute(Qt::WA_QuitOnClose, false); // the program ends with its main window only
    setAutoFillBackground(true);
    QPalette sky = palette();
    sky.setColor(QPalette::Window, skyBlue);
    sky.setColor(QPalette::WindowText, Qt::black);
    setPalette(sky);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 307, 177);
    Image1->setPixmap(picture());

    Label1 = newLabel(this, "Label1", QStringLiteral("Oprávněný uživatel:"), QPoint(16, 184), true);
    Label3 = newLabel(this, "Label3", QStringLiteral("Společnost:"), QPoint(16, 208), true);
    Label2 = newLabel(this, "Label2", QStringLiteral("Label2"), QPoint(136, 184), false);
    Label4 = newLabel(this, "Label4", QStringLiteral("Label4"), QPoint(88, 208), false);
    Label5 = newLabel(this, "Label5", QStringLiteral("Zorvan – vytvořili vývojáři projektu Zorvan"),
                      QPoint(0, 0), false);
    Label5->setGeometry(0, 248 - Label5->height() - 4, 307, Label5->height());
    Label5->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    placeValueLabels();

    // Precise: the splash is shown for the full time, never less.
    Timer1 = new TTimer(this, Qt::PreciseTimer);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(2500);
    Timer1->OnTimer = [this](QObject* sender) { Timer1Timer(sender); };

    FormCreate(this);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
}

void Tlogo::FormCreate(QObject*)
{
    const QString key = GetVersionEx().dwMinorVersion == 10
                            ? QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion")
                            : QStringLiteral("\\Software\\Microsoft\\Windows nt\\CurrentVersion");
    if (!m_registry.openKeyReadOnly(key))
        return;
    Label2->setText(m_registry.readString(QStringLiteral("RegisteredOwner")));
    Label4->setText(m_registry.readString(QStringLiteral("RegisteredOrganization")));
    m_registry.closeKey();
    placeValueLabels();
}

// The values stand at their design places unless the caption before them runs
// longer there, as it can with the fonts that stand in for "MS Sans Serif".
void Tlogo::placeValueLabels()
{
    for (auto [caption, value] : {std::pair{Label1, Label2}, std::pair{Label3, Label4}}) {
        value->adjustSize();
        value->move(std::max(value->x(), caption->geometry().right() + 6), value->y());
    }
}

bool Tlogo::waitUntilPainted(std::chrono::milliseconds limit)
{
    const auto painted = [this] { return m_painted && windowHandle() && windowHandle()->isExposed(); };
    const QDeadlineTimer deadline(limit);
    while (!painted() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QThread::msleep(5); // events of the window system arrive meanwhile
    }
    return painted();
}

void Tlogo::paintEvent(QPaintEvent* event)
{
    m_painted = true;
    QWidget::paintEvent(event);
}

void Tlogo::Timer1Timer(QObject*)
{
    hide();
}

QPixmap Tlogo::picture()
{
    QPixmap pixmap(307, 177);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    // Sky: a gradient from a deeper blue down to the window's sky blue.
    QLinearGradient sky(0, 0, 0, 177);
    sky.setColorAt(0, QColor(96, 150, 214));
    sky.setColorAt(1, skyBlue);
    painter.fillRect(pixmap.rect(), sky);

    // A sheet of paper with a folded corner and a few lines of "text".
    const QRectF sheet(28, 26, 86, 118);
    QPainterPath page;
    page.moveTo(sheet.topLeft());
    page.lineTo(sheet.right() - 22, sheet.top());
    page.lineTo(sheet.right(), sheet.top() + 22);
    page.lineTo(sheet.bottomRight());
    page.lineTo(sheet.bottomLeft());
    page.closeSubpath();
    painter.setPen(QPen(QColor(60, 80, 120), 1.5));
    painter.setBrush(Qt::white);
    painter.drawPath(page);
    QPainterPath corner;
    corner.moveTo(sheet.right() - 22, sheet.top());
    corner.lineTo(sheet.right() - 22, sheet.top() + 22);
    corner.lineTo(sheet.right(), sheet.top() + 22);
    painter.setBrush(QColor(220, 228, 240));
    painter.drawPath(corner);
    painter.setPen(QPen(QColor(120, 140, 180), 3, Qt::SolidLine, Qt::RoundCap));
    for (int row = 0; row < 7; ++row) {
        const qreal y = sheet.top() + 38 + row * 11;
        const qreal length = row == 6 ? 34 : (row % 3 == 2 ? 52 : 64);
        painter.drawLine(QPointF(sheet.left() + 10, y), QPointF(sheet.left() + 10 + length, y));
    }

    // A pen across the sheet.
    painter.save();
    painter.translate(104, 132);
    painter.rotate(-50);
    painter.setPen(QPen(QColor(40, 40, 60), 1));
    painter.setBrush(QColor(200, 60, 50));
    painter.drawRoundedRect(QRectF(0, -5, 46, 10), 3, 3);
    painter.setBrush(QColor(230, 200, 120));
    QPolygonF nib;
    nib << QPointF(0, -5) << QPointF(-14, 0) << QPointF(0, 5);
    painter.drawPolygon(nib);
    painter.restore();

    // The name and what the program is.
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setPixelSize(40);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(255, 255, 255, 120));
    painter.drawText(QRect(140, 46, 167, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Zorvan"));
    painter.setPen(QColor(20, 40, 90));
    painter.drawText(QRect(138, 44, 167, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Zorvan"));
    QFont subtitle(QStringLiteral("DejaVu Sans"));
    subtitle.setPixelSize(14);
    painter.setFont(subtitle);
    painter.drawText(QRect(140, 104, 167, 22), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("textový editor"));
    painter.end();
    return pixmap;
}
