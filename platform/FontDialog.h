#pragma once

// The font dialog as a Windows user knows it, in Czech: the face, the style
// and the size, each a field over a list; the effects strike-out, underline
// and colour; a sample of the chosen font; OK, "Storno" and, when asked for,
// "Použít", which only stands there for the caller to attach to.

#include "platform/Desktop.h"

#include <QDialog>

class FontColorBox;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;

class FontDialog : public QDialog
{
    Q_OBJECT
public:
    // Opens showing options.font; options.applyButton adds the Apply button.
    explicit FontDialog(const FontDialogOptions& options, QWidget* parent = nullptr);

    // The font the controls show: face, size in whole points, the four style
    // bits and the colour (clWindowText for "Automatická"); the pitch and the
    // character set follow from the face, which a symbol face gives
    // SYMBOL_CHARSET, any other the set it came in with, where a default or
    // symbol set becomes the Czech desktop's EASTEUROPE_CHARSET.
    TFont selectedFont() const;

    // Closes as accepted only with a face named and a size of 1 to 1638
    // points; otherwise says what is wrong and stays open.
    void accept() override;

private:
    void showFont(const TFont& font);
    void updateSample();
    void refuse(QLineEdit* field, const QString& message);
    QString chosenFamily() const;
    TFontStyles chosenStyle() const;

    TFont m_initialFont;
    QLineEdit* m_familyEdit = nullptr;
    QListWidget* m_familyList = nullptr;
    QLineEdit* m_styleEdit = nullptr;
    QListWidget* m_styleList = nullptr;
    QLineEdit* m_sizeEdit = nullptr;
    QListWidget* m_sizeList = nullptr;
    QCheckBox* m_strikeOutBox = nullptr;
    QCheckBox* m_underlineBox = nullptr;
    FontColorBox* m_colorBox = nullptr;
    QLabel* m_sample = nullptr;
};
