#include "app/Todstavceform.h"

#include "app/TMainform.h"
#include "format/TextFormatProperties.h"
#include "widgets/TFloatSpinEdit.h"
#include "widgets/TIntSpinEdit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <cmath>

using namespace TextFormatProperties;

namespace {

// The dialog counts 30 points to the centimetre.
constexpr long double PointsPerCentimetre = 30.0L;

// Alignment list index <-> Alignment value.
constexpr int AlignmentOfItem[] = {taLeftJustify, taCenter, taRightJustify, taJustify};

int itemOfAlignment(int alignment)
{
    for (int item = 0; item < 4; ++item)
        if (AlignmentOfItem[item] == alignment)
            return item;
    return 0;
}

// Whole points of a length in centimetres. The shown value is a decimal
// fraction that a binary number only approximates (0,3 cm is a hair less than
// 9 points); rounding it to nine places first keeps a value shown from a whole
// number of points that number when it is written back.
int pointsOf(double centimetres)
{
    const long double points = std::roundl(centimetres * PointsPerCentimetre * 1e9L) / 1e9L;
    return int(std::truncl(points));
}

// A length in points as the dialog shows it: the decimal of at most two
// places nearest to zero that pointsOf reads back as the same points, so
// that 16 points show as 0,54 cm rather than with fifteen digits, and Ok
// writes back what it was given.
double centimetresOf(int points)
{
    const long double exact = std::roundl(std::abs(points) / PointsPerCentimetre * 100 * 1e9L) / 1e9L;
    return double(std::copysign(std::ceil(exact) / 100, points));
}

QFormLayout* compactForm(QGroupBox* box)
{
    auto* form = new QFormLayout(box);
    form->setContentsMargins(8, 2, 8, 2);
    form->setVerticalSpacing(2);
    return form;
}

QLabel* label(const QString& text, QWidget* parent)
{
    auto* result = new QLabel(text, parent);
    result->setStyleSheet(QStringLiteral("color: black"));
    return result;
}

QGroupBox* groupBox(const QString& caption, QWidget* parent)
{
    auto* box = new QGroupBox(caption, parent);
    box->setStyleSheet(QStringLiteral("QGroupBox { color: blue; }"));
    return box;
}

// A whole-number field; equal bounds mean none.
TIntSpinEdit* pointField(Desktop& desktop, const char* name, int step, int minimum, int maximum,
                         QWidget* parent)
{
    auto* field = new TIntSpinEdit(desktop, parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setIncrement(step);
    field->setMinValue(minimum);
    field->setMaxValue(maximum);
    return field;
}

// A label, the field and a unit after it, on one row.
QWidget* row(QWidget* field, const QString& unit, QWidget* parent)
{
    auto* holder = new QWidget(parent);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field);
    if (!unit.isEmpty())
        layout->addWidget(label(unit, holder));
    layout->addStretch();
    return holder;
}

} // namespace

Todstavceform::Todstavceform(TMainform& mainform) : QDialog(&mainform), m_mainform(mainform)
{
    setObjectName(QStringLiteral("odstavceform"));
    setWindowTitle(QStringLiteral("Nastavení odstavců textu"));
    setModal(true);
    setFixedSize(419, 338);
    createControls();
    if (const QScreen* screen = mainform.screen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate(this);
}

void Todstavceform::createControls()
{
    auto* column = new QVBoxLayout(this);
    auto* panel = new QWidget(this);
    panel->setAutoFillBackground(true);
    QPalette tooltip = panel->palette();
    tooltip.setColor(QPalette::Window, palette().color(QPalette::ToolTipBase));
    panel->setPalette(tooltip);
    auto* groups = new QVBoxLayout(panel);
    // The fixed 419 x 338 area holds the three groups only with tight spacing.
    column->setContentsMargins(6, 6, 6, 6);
    groups->setContentsMargins(6, 4, 6, 4);
    groups->setSpacing(2);
    column->addWidget(panel, 1);

    QGroupBox* general = groupBox(QStringLiteral("Obecné"), panel);
    auto* generalForm = compactForm(general);
    zarovnaniob = new QComboBox(general);
    zarovnaniob->setObjectName(QStringLiteral("zarovnaniob"));
    zarovnaniob->addItems({QStringLiteral("Vlevo"), QStringLiteral("Na střed"), QStringLiteral("Vpravo"),
                           QStringLiteral("Do bloku")});
    generalForm->addRow(label(QStringLiteral("Zarovnání"), general), zarovnaniob);
    groups->addWidget(general);

    QGroupBox* indents = groupBox(QStringLiteral("Odsazení"), panel);
    auto* indentsForm = compactForm(indents);
    zlevaod = new TFloatSpinEdit(m_mainform.desktop(), indents);
    zlevaod->setObjectName(QStringLiteral("zlevaod"));
    zlevaod->setIncrement(0.1);
    zlevaod->setMaxLength(1);
    zpravaod = new TFloatSpinEdit(m_mainform.desktop(), indents);
    zpravaod->setObjectName(QStringLiteral("zpravaod"));
    zpravaod->setIncrement(0.1);
    indentsForm->addRow(label(QStringLiteral("Zleva :"), indents),
                        row(zlevaod, QStringLiteral("cm."), indents));
    indentsForm->addRow(label(QStringLiteral("Zprava :"), indents),
                        row(zpravaod, QStringLiteral("cm."), indents));
    groups->addWidget(indents);

    QGroupBox* spacing = groupBox(QStringLiteral("Mezery"), panel);
    auto* spacingForm = compactForm(spacing);
    predm = pointField(m_mainform.desktop(), "predm", 6, 0, 32, spacing);
    zam = pointField(m_mainform.desktop(), "zam", 6, 0, 32, spacing);
    radkovanim = new QComboBox(spacing);
    radkovanim->setObjectName(QStringLiteral("radkovanim"));
    radkovanim->addItems({QStringLiteral("Jednoduché"), QStringLiteral("1,5 řádků"),
                          QStringLiteral("Dvojité"), QStringLiteral("Nejméně"), QStringLiteral("Přesně"),
                          QStringLiteral("Násobky")});
    vyskam = pointField(m_mainform.desktop(), "vyskam", 1, 0, 0, spacing);
    spacingForm->addRow(label(QStringLiteral("Před :"), spacing), row(predm, QStringLiteral("b."), spacing));
    spacingForm->addRow(label(QStringLiteral("Za :"), spacing), row(zam, QStringLiteral("b."), spacing));
    spacingForm->addRow(label(QStringLiteral("Řádkování:"), spacing), radkovanim);
    spacingForm->addRow(label(QStringLiteral("Výška:"), spacing), row(vyskam, QString(), spacing));
    groups->addWidget(spacing);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* storno = new QPushButton(QStringLiteral("Storno"), this);
    storno->setObjectName(QStringLiteral("storno"));
    buttons->addWidget(ok);
    buttons->addWidget(storno);
    column->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] { okClick(this); });
    connect(storno, &QPushButton::clicked, this, [this] { stornoClick(this); });
    // Only the user's choice presets the height, not the filling.
    connect(radkovanim, &QComboBox::activated, this, [this] { radkovanimChange(radkovanim); });
}

// The left indent is shown from the origin the main window gives the first
// line at start: the ruler's left margin less 18 points.
void Todstavceform::FormCreate(QObject*)
{
    const TZvParaAttributes& paragraph = m_mainform.editor->ParagraphAttributes();
    const int origin = m_mainform.ruler->MarginLeft() - 18;
    predm->setValue(paragraph.SpaceBefore());
    zam->setValue(paragraph.SpaceAfter());
    zlevaod->setValue(centimetresOf(paragraph.FirstLineIndent() - origin));
    zpravaod->setValue(centimetresOf(paragraph.RightIndent()));
    vyskam->setValue(paragraph.LineSpacing());
    const int rule = paragraph.LineSpacingRule();
    if (rule >= LineSpacingSingle && rule <= LineSpacingMultiple)
        radkovanim->setCurrentIndex(rule);
    zarovnaniob->setCurrentIndex(itemOfAlignment(paragraph.Alignment()));
}

void Todstavceform::radkovanimChange(QObject*)
{
    switch (radkovanim->currentIndex()) {
    case LineSpacingAtLeast:
        vyskam->setValue(12);
        break;
    case LineSpacingMultiple:
        vyskam->setValue(3);
        break;
    default:
        break;
    }
}

void Todstavceform::okClick(QObject*)
{
    TZvParaAttributes& paragraph = m_mainform.editor->ParagraphAttributes();
    const int origin = m_mainform.ruler->MarginLeft() - 18;
    if (zarovnaniob->currentIndex() >= 0)
        paragraph.setAlignment(AlignmentOfItem[zarovnaniob->currentIndex()]);
    const int rule = radkovanim->currentIndex();
    if (rule >= LineSpacingAtLeast)
        paragraph.setLineSpacing(vyskam->value());
    if (rule >= 0)
        paragraph.setLineSpacingRule(rule);
    paragraph.setSpaceBefore(predm->value());
    paragraph.setSpaceAfter(zam->value());
    paragraph.setFirstLineIndent(pointsOf(zlevaod->Value()) + origin);
    paragraph.setRightIndent(pointsOf(zpravaod->Value()));
    m_mainform.editorSelectionChange(this);
    accept();
}

void Todstavceform::stornoClick(QObject*)
{
    reject();
}
