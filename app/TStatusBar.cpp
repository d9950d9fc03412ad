#include "app/TStatusBar.h"

#include <QLabel>

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(true);
}

void TStatusBar::addPanel(int width, Qt::Alignment alignment)
{
    if (!m_panels.empty()) {
        // The panel that was last keeps its own width from now on.
        QLabel* previous = m_panels.back();
        removeWidget(previous);
        insertWidget(int(m_panels.size()) - 1, previous, 0);
        previous->setFixedWidth(m_widths.back());
        previous->show();
    }
    auto* panel = new QLabel(this);
    panel->setObjectName(QStringLiteral("Panel%1").arg(m_panels.size()));
    panel->setMinimumWidth(width);
    panel->setAlignment(alignment | Qt::AlignVCenter);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setIndent(2);
    addWidget(panel, 1);
    m_panels.push_back(panel);
    m_widths.push_back(width);
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
