#include "app/TStatusBar.h"

#include <QHBoxLayout>
#include <QLabel>

#include <numeric>

namespace {

constexpr int panelSpacing = 6; // as the status bar spaces its widgets

} // namespace

TStatusBar::TStatusBar(QWidget* parent)
    : QStatusBar(parent), m_strip(new QWidget(this)), m_stripLayout(new QHBoxLayout(m_strip))
{
    m_stripLayout->setContentsMargins(0, 0, 0, 0);
    m_stripLayout->setSpacing(panelSpacing);
    addWidget(m_strip, 1);
    setSizeGripEnabled(true); // made after the strip, so drawn over its end
}

void TStatusBar::addPanel(int width, Qt::Alignment alignment)
{
    if (!m_panels.empty()) {
        // The panel that was last keeps its own width from now on.
        QLabel* previous = m_panels.back();
        m_stripLayout->setStretchFactor(previous, 0);
        previous->setFixedWidth(m_widths.back());
    }
    auto* panel = new QLabel(m_strip);
    panel->setObjectName(QStringLiteral("Panel%1").arg(m_panels.size()));
    panel->setMinimumWidth(width);
    panel->setAlignment(alignment | Qt::AlignVCenter);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setIndent(2);
    m_stripLayout->addWidget(panel, 1);
    m_panels.push_back(panel);
    m_widths.push_back(width);
    m_strip->setMinimumWidth(std::accumulate(m_widths.begin(), m_widths.end(), 0) +
                             panelSpacing * (int(m_widths.size()) - 1));
}

QSize TStatusBar::minimumSizeHint() const
{
    return {0, QStatusBar::minimumSizeHint().height()};
}

int TStatusBar::panelWidth(int index) const
{
    return index >= 0 && index < panelCount() ? m_widths[std::size_t(index)] : 0;
}

Qt::Alignment TStatusBar::panelAlignment(int index) const
{
    if (index < 0 || index >= panelCount())
        return {};
    return m_panels[std::size_t(index)]->alignment() & Qt::AlignHorizontal_Mask;
}

QString TStatusBar::panelText(int index) const
{
    return index >= 0 && index < panelCount() ? m_panels[std::size_t(index)]->text() : QString();
}

void TStatusBar::setPanelText(int index, const QString& text)
{
    if (index < 0 || index >= panelCount())
        return;
    QLabel* panel = m_panels[std::size_t(index)];
    if (panel->text() == text)
        return;
    panel->setText(text);
}
