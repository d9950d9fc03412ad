#pragma once

// A one-line field for a decimal number with two arrow buttons at its right
// edge that step it by a fractional increment. The number lives only in the
// text: it is read from and written to it with the locale's decimal separator.

#include "platform/Desktop.h"

#include <QLineEdit>
#include <QLocale>

#include <functional>
#include <optional>

class TFloatSpinButton;

class TFloatSpinEdit : public QLineEdit
{
    Q_OBJECT
public:
    // Refused keys and stepping a read-only field beep through desktop.
    explicit TFloatSpinEdit(Desktop& desktop, QWidget* parent = nullptr);
    ~TFloatSpinEdit() override;

    // The text as a number; a text that is no number reads as MinValue.
    double Value() const;
    // Clamped, written in the general 15-digit format; an equal text changes nothing.
    void setValue(double value);
    double Increment() const { return m_increment; }
    void setIncrement(double value) { m_increment = value; }
    double MinValue() const { return m_minValue; }
    void setMinValue(double value) { m_minValue = value; }
    double MaxValue() const { return m_maxValue; }
    void setMaxValue(double value) { m_maxValue = value; }
    // False: the user cannot type, only step.
    bool EditorEnabled() const { return m_editorEnabled; }
    void setEditorEnabled(bool value) { m_editorEnabled = value; }
    bool AutoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool value) { m_autoSelect = value; }
    // Limit of typed characters; 0 means none.
    int MaxLength() const;
    void setMaxLength(int value);

    // x within the bounds; with MinValue equal to MaxValue there are none.
    double ClampValue(double x) const;
    virtual bool AcceptsKey(QChar key) const;
    virtual void StepUp();
    virtual void StepDown();

    TFloatSpinButton* Button() const { return m_button; }

    // The text changed, also when the program set Value.
    std::function<void(QObject* sender)> OnChange;

    // Width of the arrow pair at the right edge, in pixels.
    static constexpr int ArrowWidth = 15;
    // The least height that shows the text whole: the font's text height plus a
    // quarter of the smaller of it and the system font's, plus the borders.
    int minimumFieldHeight() const;

protected:
    // The number a text stands for, or none when it is no number.
    virtual std::optional<double> numberOf(const QString& text) const;
    // The default locale without thousands separators: "1234,5" reads and writes as such.
    static QLocale numberLocale();

    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void stepBy(double delta);
    bool editingAllowed() const { return m_editorEnabled && !isReadOnly(); }
    // Characters that may still be typed over the selection under MaxLength.
    qsizetype roomForTyping() const;
    void pasteWithinMaxLength();
    void placeArrows();

    Desktop& m_desktop;
    TFloatSpinButton* m_button = nullptr;
    double m_increment = 1.0;
    double m_minValue = 0;
    double m_maxValue = 0;
    bool m_editorEnabled = true;
    bool m_autoSelect = true;
    int m_maxLength = 0;
};
