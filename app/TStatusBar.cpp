#include "app/TStatusBar.h"

#include <QLabel>

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(true);
}

void TStatusBar::addPanel(int width, Qt::Alignment alignment)
{
    auto* panel = new QLabel(this);
    panel->setObjectName(QStringLiteral("Panel%1").arg(m_panels.size()));
    panel->setFixedWidth(width);
    panel->setAlignment(alignment | Qt::AlignVCenter);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setIndent(2);
    addWidget(panel);
    m_panels.push_back(panel);
}

int TStatusBar::panelWidth(int index) const
{
    return index >= 0 && index < panelCount() ? m_panels[std::size_t(index)]->width() : 0;
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
