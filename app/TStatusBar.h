#pragma once

// A status bar of fixed-width text panels, indexed from 0, as the main window
// lays out its status line. Panel texts are set only by the program; Qt's
// temporary status messages are not used, so no panel is ever covered.

#include <QStatusBar>

#include <vector>

class QHBoxLayout;
class QLabel;

class TStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    explicit TStatusBar(QWidget* parent = nullptr);

    // Appends a panel `width` pixels wide with its text aligned as given. As in
    // the Windows status bar, the last panel reaches to the bar's right end.
    void addPanel(int width, Qt::Alignment alignment);
    int panelCount() const { return int(m_panels.size()); }
    int panelWidth(int index) const;
    Qt::Alignment panelAlignment(int index) const;
    // Index out of range: empty text, and setting does nothing.
    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);

    // The bar asks for its height only: a window narrower than the panels
    // cuts them off at its right edge, where they stay, rather than being held
    // wide by them.
    QSize minimumSizeHint() const override;

private:
    QWidget* m_strip; // the panels side by side, never narrower than their widths
    QHBoxLayout* m_stripLayout;
    std::vector<QLabel*> m_panels;
    std::vector<int> m_widths; // as given; the last panel may be wider
};
