// The character formatting commands of the main window and the refresher of
// the formatting controls. Every command acts on the editor's selection
// attributes; the tool-bar buttons keep only their pressed state.

#include "app/TMainform.h"

#include "richedit/TZvRichEdit.h"
#include "widgets/TIntSpinEdit.h"
#include "widgets/TZvColorButton.h"
#include "widgets/TZvFontComboBox.h"

#include <QAction>
#include <QScopedValueRollback>
#include <QToolButton>

// The decision rests on the attribute read, never on the button's state; the
// other three style bits are written back as they were read.
void TMainform::toggleStyle(TFontStyle bit, QToolButton* button)
{
    TZvTextAttributes& attributes = editor->SelectionAttributes();
    const TZvStyleFlags read = attributes.StyleFlags();
    const bool set = !(read & bit);
    attributes.setStyleFlags(set ? read | bit : read & ~bit);
    button->setChecked(set);
    editor->setFocus();
}

void TMainform::ToolButton35Click(QObject*)
{
    toggleStyle(fsBold, tucne);
}

void TMainform::ToolButton36Click(QObject*)
{
    toggleStyle(fsItalic, kurziva);
}

void TMainform::ToolButton37Click(QObject*)
{
    toggleStyle(fsUnderline, podtrzene);
}

void TMainform::ToolButton38Click(QObject*)
{
    toggleStyle(fsStrikeOut, preskrknute);
}

// Turning the position off leaves the opposite button alone; turning it on
// releases it, as the text can be only one of the two.
void TMainform::toggleScriptPosition(int position, QToolButton* button, QToolButton* opposite)
{
    TZvTextAttributes& attributes = editor->SelectionAttributes();
    if (attributes.ScriptPosition() == position) {
        attributes.setScriptPosition(spNormal);
        button->setChecked(false);
    } else {
        attributes.setScriptPosition(position);
        button->setChecked(true);
        opposite->setChecked(false);
    }
    editor->setFocus();
}

void TMainform::dindexClick(QObject*)
{
    toggleScriptPosition(spSubscript, dindex, hindex);
}

void TMainform::hindexClick(QObject*)
{
    toggleScriptPosition(spSuperscript, hindex, dindex);
}

void TMainform::FontBox1Change(QObject*)
{
    if (m_showingFormat)
        return;
    editor->SelectionAttributes().setFaceName(fontybox->FontName());
    editor->setFocus();
}

void TMainform::velikostpismaChange(QObject*)
{
    if (m_showingFormat)
        return;
    editor->SelectionAttributes().setPointSize(velikostpisma->value());
    editor->setFocus();
}

void TMainform::barvatextuColorChange(QObject*)
{
    if (!m_showingFormat)
        editor->SelectionAttributes().setTextColor(barvatextu->SelectedColor());
}

void TMainform::bpozaditextuColorChange(QObject*)
{
    if (!m_showingFormat)
        editor->SelectionAttributes().setHighlightColor(bpozaditextu->SelectedColor());
}

// The dialog opens with the colour last chosen in it, not the selection's.
void TMainform::chooseColor(ColorAttribute attribute)
{
    if (desktop().chooseColor(ColorDialog1)) {
        TZvTextAttributes& attributes = editor->SelectionAttributes();
        switch (attribute) {
        case ColorAttribute::Text:
            attributes.setTextColor(ColorDialog1.color);
            break;
        case ColorAttribute::Highlight:
            attributes.setHighlightColor(ColorDialog1.color);
            break;
        }
    }
    editor->setFocus();
}

void TMainform::Barvapsma1Click(QObject*)
{
    chooseColor(ColorAttribute::Text);
}

void TMainform::Nastavenbarvypsma1Click(QObject*)
{
    chooseColor(ColorAttribute::Text);
}

void TMainform::Barvapozadpsma1Click(QObject*)
{
    chooseColor(ColorAttribute::Highlight);
}

void TMainform::Nastavenpozadtextu1Click(QObject*)
{
    chooseColor(ColorAttribute::Highlight);
}

// The dialog opens with the font last chosen in it. Its Apply button is shown
// but nothing is attached to it.
void TMainform::chooseFont(FontBoxFollows fontBoxFollows)
{
    FontDialog1.printerFonts = !desktop().printerNames().isEmpty();
    FontDialog1.applyButton = true;
    if (desktop().chooseFont(FontDialog1))
        editor->SelectionAttributes().Assign(FontDialog1.font);
    if (fontBoxFollows == FontBoxFollows::Yes)
        fontybox->setFontName(FontDialog1.font.Name);
    editor->setFocus();
}

void TMainform::Psmo1Click(QObject*)
{
    chooseFont(FontBoxFollows::Yes);
}

void TMainform::Nastavenpsma1Click(QObject*)
{
    chooseFont(FontBoxFollows::No);
}

// The formatting keys of the editing area, as Windows-style word processors
// answer them. Each runs the command of its tool-bar button or menu item, so
// the controls show what the key did and undo takes it back the same way.
void TMainform::createEditingKeys()
{
    using Command = void (TMainform::*)(QObject*);
    const std::pair<const char*, Command> keys[] = {
        {"Ctrl+B", &TMainform::ToolButton35Click}, {"Ctrl+I", &TMainform::ToolButton36Click},
        {"Ctrl+U", &TMainform::ToolButton37Click}, {"Ctrl+L", &TMainform::lzarovnaniClick},
        {"Ctrl+E", &TMainform::szarovnaniClick},   {"Ctrl+R", &TMainform::pzarovnaniClick},
        {"Ctrl+J", &TMainform::czarovnaniClick},   {"Ctrl+1", &TMainform::normalniClick},
        {"Ctrl+5", &TMainform::radku15Click},      {"Ctrl+2", &TMainform::radku2Click}};
    for (const auto& [sequence, command] : keys) {
        auto* key = new QAction(this);
        key->setShortcut(QKeySequence(QString::fromLatin1(sequence)));
        key->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(key, &QAction::triggered, this, [this, command] { (this->*command)(this); });
        editor->addAction(key);
    }
}

// Shows the selection's attributes in the tool bar. Showing is not a change:
// nothing is written to the selection and no change command runs.
void TMainform::UpdateFormatControls()
{
    const QScopedValueRollback showing(m_showingFormat, true);
    TZvTextAttributes& attributes = editor->SelectionAttributes();
    fontybox->setFontName(attributes.FaceName());
    velikostpisma->setValue(attributes.PointSize()); // the field keeps it within 4..104
    barvatextu->setSelectedColor(attributes.TextColor());
    bpozaditextu->setSelectedColor(attributes.HighlightColor());
    const TZvStyleFlags styles = attributes.StyleFlags();
    tucne->setChecked(styles & fsBold);
    kurziva->setChecked(styles & fsItalic);
    podtrzene->setChecked(styles & fsUnderline);
    preskrknute->setChecked(styles & fsStrikeOut);
    const int position = attributes.ScriptPosition();
    dindex->setChecked(position == spSubscript);
    hindex->setChecked(position == spSuperscript);
}
