#include "platform/FontDialog.h"

#include "platform/FontColorBox.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int smallestSize = 1;
constexpr int largestSize = 1638; // the largest size the editor stores (32767 twips)

// The styles in the order Windows lists them; the row is the italic bit plus
// twice the bold bit.
const char* const styleNames[] = {"Normální", "Kurzíva", "Tučné", "Tučné kurzíva"};

// The installed faces, each once: fontconfig names a face that several
// foundries make once per foundry ("C059 [urw]", "C059 [UKWN]"), and the face
// name alone draws it.
QStringList installedFamilies()
{
    static const QRegularExpression foundry(QStringLiteral(R"(\s*\[[^\]]*\]$)"));
    QStringList families;
    for (QString family : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(family))
            families << family.remove(foundry);
    }
    families.removeDuplicates();
    return families;
}

// Makes the first item of `list` that matches `text` current without letting
// the list write its text into the field the user is typing in; no match
// leaves no item selected.
void selectMatching(QListWidget* list, const QString& text, Qt::MatchFlags flags)
{
    const QSignalBlocker blocker(list);
    const QList<QListWidgetItem*> matches =
        text.isEmpty() ? QList<QListWidgetItem*>() : list->findItems(text, flags);
    if (matches.isEmpty()) {
        list->setCurrentItem(nullptr);
        list->clearSelection();
        return;
    }
    list->setCurrentItem(matches.constFirst());
    list->scrollToItem(matches.constFirst(), QAbstractItemView::PositionAtTop);
}

// A field over its list, as Windows pairs them: picking in the list fills the
// field, typing in the field selects the first item that begins with the text.
// A click fills the field also on the item that typing has already selected.
void pairFieldWithList(QLineEdit* field, QListWidget* list)
{
    QObject::connect(list, &QListWidget::currentTextChanged, field, [field](const QString& text) {
        if (!text.isEmpty())
            field->setText(text);
    });
    QObject::connect(list, &QListWidget::itemClicked, field,
                     [field](const QListWidgetItem* item) { field->setText(item->text()); });
    QObject::connect(field, &QLineEdit::textEdited, list,
                     [list](const QString& text) { selectMatching(list, text, Qt::MatchStartsWith); });
}

QListWidget* newList(const QString& name)
{
    auto* list = new QListWidget;
    list->setObjectName(name);
    return list;
}

QLineEdit* newField(const QString& name)
{
    auto* field = new QLineEdit;
    field->setObjectName(name);
    return field;
}

QLabel* newCaption(const QString& text, QWidget* buddy)
{
    auto* caption = new QLabel(text);
    caption->setBuddy(buddy);
    return caption;
}

} // namespace

FontDialog::FontDialog(const FontDialogOptions& options, QWidget* parent)
    : QDialog(parent), m_initialFont(options.font)
{
    setWindowTitle(QStringLiteral("Písmo"));

    // On Linux the printer prints with the fontconfig fonts that the screen
    // shows, so options.printerFonts lists the same faces.
    m_familyEdit = newField(QStringLiteral("familyEdit"));
    m_familyList = newList(QStringLiteral("familyList"));
    m_familyList->setMinimumWidth(180);
    m_familyList->addItems(installedFamilies());

    m_styleEdit = newField(QStringLiteral("styleEdit"));
    m_styleEdit->setReadOnly(true);
    m_styleList = newList(QStringLiteral("styleList"));
    m_styleList->setMinimumWidth(120);
    for (const char* name : styleNames)
        m_styleList->addItem(QString::fromUtf8(name));

    m_sizeEdit = newField(QStringLiteral("sizeEdit"));
    m_sizeEdit->setValidator(new QIntValidator(smallestSize, largestSize, m_sizeEdit));
    m_sizeList = newList(QStringLiteral("sizeList"));
    m_sizeEdit->setFixedWidth(70);
    m_sizeList->setFixedWidth(70);
    for (int size : QFontDatabase::standardSizes())
        m_sizeList->addItem(QString::number(size));

    pairFieldWithList(m_familyEdit, m_familyList);
    pairFieldWithList(m_styleEdit, m_styleList);
    pairFieldWithList(m_sizeEdit, m_sizeList);

    m_strikeOutBox = new QCheckBox(QStringLiteral("Pře&škrtnuté"));
    m_strikeOutBox->setObjectName(QStringLiteral("strikeOutBox"));
    m_underlineBox = new QCheckBox(QStringLiteral("Po&dtržené"));
    m_underlineBox->setObjectName(QStringLiteral("underlineBox"));
    m_colorBox = new FontColorBox;
    m_colorBox->setObjectName(QStringLiteral("colorBox"));
    auto* effects = new QGroupBox(QStringLiteral("Efekty"));
    auto* effectsLayout = new QVBoxLayout(effects);
    effectsLayout->addWidget(m_strikeOutBox);
    effectsLayout->addWidget(m_underlineBox);
    effectsLayout->addWidget(newCaption(QStringLiteral("&Barva:"), m_colorBox));
    effectsLayout->addWidget(m_colorBox);
    effectsLayout->addStretch();

    // The sample takes the room the layout gives it, so that a large font is
    // cut off rather than growing the dialog.
    m_sample = new QLabel(QStringLiteral("AaBbYyZz"));
    m_sample->setObjectName(QStringLiteral("sample"));
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_sample->setMinimumHeight(70);
    auto* sample = new QGroupBox(QStringLiteral("Ukázka"));
    auto* sampleLayout = new QVBoxLayout(sample);
    sampleLayout->addWidget(m_sample);

    auto* buttons = new QDialogButtonBox(Qt::Vertical);
    buttons->addButton(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->addButton(QDialogButtonBox::Cancel)->setText(QStringLiteral("Storno"));
    // Apply is only offered: nothing here is attached to it.
    if (options.applyButton)
        buttons->addButton(QDialogButtonBox::Apply)->setText(QStringLiteral("&Použít"));
    connect(buttons, &QDialogButtonBox::accepted, this, &FontDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FontDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(newCaption(QStringLiteral("Pís&mo:"), m_familyEdit), 0, 0);
    layout->addWidget(newCaption(QStringLiteral("Ře&z písma:"), m_styleList), 0, 1);
    layout->addWidget(newCaption(QStringLiteral("&Velikost:"), m_sizeEdit), 0, 2);
    layout->addWidget(m_familyEdit, 1, 0);
    layout->addWidget(m_styleEdit, 1, 1);
    layout->addWidget(m_sizeEdit, 1, 2);
    layout->addWidget(m_familyList, 2, 0);
    layout->addWidget(m_styleList, 2, 1);
    layout->addWidget(m_sizeList, 2, 2);
    layout->addWidget(effects, 3, 0);
    layout->addWidget(sample, 3, 1, 1, 2);
    layout->addWidget(buttons, 1, 3, 3, 1);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);

    showFont(options.font);
    for (QLineEdit* field : {m_familyEdit, m_styleEdit, m_sizeEdit})
        connect(field, &QLineEdit::textChanged, this, &FontDialog::updateSample);
    for (QCheckBox* box : {m_strikeOutBox, m_underlineBox})
        connect(box, &QCheckBox::toggled, this, &FontDialog::updateSample);
    connect(m_colorBox, &QComboBox::currentIndexChanged, this, &FontDialog::updateSample);
    updateSample();
    m_familyEdit->setFocus();
}

void FontDialog::showFont(const TFont& font)
{
    // A face that is not installed is shown by its name all the same and
    // comes back unchanged, so that a document's font passes through the
    // dialog as it was.
    selectMatching(m_familyList, font.Name, Qt::MatchFixedString);
    m_familyEdit->setText(font.Name);
    m_styleList->setCurrentRow(((font.Style & fsBold) ? 2 : 0) + ((font.Style & fsItalic) ? 1 : 0));
    const QString size = QString::number(font.toQFont().pointSize());
    selectMatching(m_sizeList, size, Qt::MatchExactly);
    m_sizeEdit->setText(size);
    m_strikeOutBox->setChecked(font.Style & fsStrikeOut);
    m_underlineBox->setChecked(font.Style & fsUnderline);
    m_colorBox->setColor(font.Color);
}

void FontDialog::updateSample()
{
    const TFont font = selectedFont();
    m_sample->setFont(font.toQFont());
    QPalette palette = m_sample->palette();
    palette.setColor(QPalette::WindowText, SysColor(font.Color));
    m_sample->setPalette(palette);
}

QString FontDialog::chosenFamily() const
{
    const QString typed = m_familyEdit->text().trimmed();
    const QList<QListWidgetItem*> installed = m_familyList->findItems(typed, Qt::MatchFixedString);
    return installed.isEmpty() ? typed : installed.constFirst()->text();
}

TFontStyles FontDialog::chosenStyle() const
{
    const int row = std::max(0, m_styleList->currentRow());
    TFontStyles style = 0;
    if (row & 2)
        style |= fsBold;
    if (row & 1)
        style |= fsItalic;
    if (m_underlineBox->isChecked())
        style |= fsUnderline;
    if (m_strikeOutBox->isChecked())
        style |= fsStrikeOut;
    return style;
}

TFont FontDialog::selectedFont() const
{
    TFont font = m_initialFont;
    font.Name = chosenFamily();
    font.Size = m_sizeEdit->text().toInt();
    font.Style = chosenStyle();
    font.Color = m_colorBox->color();
    // The face that fontconfig draws for the name tells the pitch and whether
    // it is a symbol face.
    const QString drawn = QFontInfo(font.toQFont()).family();
    font.Pitch = QFontDatabase::isFixedPitch(drawn) ? TFontPitch::fpFixed : TFontPitch::fpVariable;
    if (QFontDatabase::writingSystems(drawn).contains(QFontDatabase::Symbol))
        font.Charset = SYMBOL_CHARSET;
    else if (font.Charset == DEFAULT_CHARSET || font.Charset == SYMBOL_CHARSET)
        font.Charset = EASTEUROPE_CHARSET;
    return font;
}

void FontDialog::accept()
{
    if (chosenFamily().isEmpty()) {
        refuse(m_familyEdit, QStringLiteral("Zadejte název písma."));
        return;
    }
    if (!m_sizeEdit->hasAcceptableInput()) {
        refuse(m_sizeEdit, QStringLiteral("Velikost musí být celé číslo od %1 do %2 bodů.")
                               .arg(smallestSize)
                               .arg(largestSize));
        return;
    }
    QDialog::accept();
}

void FontDialog::refuse(QLineEdit* field, const QString& message)
{
    QMessageBox::warning(this, windowTitle(), message);
    field->setFocus();
    field->selectAll();
}
