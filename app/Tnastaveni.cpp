#include "app/Tnastaveni.h"

#include "app/TFolderEdit.h"
#include "app/TMainform.h"
#include "app/TStatusBar.h"
#include "platform/TTimer.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int MillisecondsPerMinute = 60000;

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A group box that fills its page: info-background colour, bold navy caption.
QGroupBox* pageGroup(const char* name, const QString& caption, QWidget* page)
{
    auto* box = named(new QGroupBox(caption, page), name);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    box->setPalette(palette);
    box->setAutoFillBackground(true);
    QFont font = box->font();
    font.setBold(true);
    box->setFont(font);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box);
    return box;
}

// Labels and check boxes inside the groups: bold black 11-pixel text.
template <typename Widget> Widget* groupText(Widget* widget, int x, int y)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    font.setBold(true);
    widget->setFont(font);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    widget->setPalette(palette);
    widget->adjustSize();
    widget->move(x, y);
    return widget;
}

QLabel* groupLabel(const char* name, const QString& text, int x, int y, QWidget* box)
{
    return groupText(named(new QLabel(text, box), name), x, y);
}

QCheckBox* groupCheckBox(const char* name, const QString& text, int x, int y, QWidget* box)
{
    return groupText(named(new QCheckBox(text, box), name), x, y);
}

// The group's caption font is bold; the other controls keep the dialog's.
template <typename Widget> Widget* groupControl(Widget* widget, const QRect& place, const QFont& font)
{
    widget->setFont(font);
    widget->setGeometry(place);
    return widget;
}

// Text that is not a number reads as the minimum, and a value out of range is
// pulled to the nearest bound, when the field loses the focus.
QSpinBox* spinEdit(const char* name, int maximum, const QRect& place, const QFont& font, QWidget* box)
{
    auto* spin = groupControl(named(new QSpinBox(box), name), place, font);
    spin->setRange(1, maximum);
    spin->setValue(1);
    spin->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    return spin;
}

// The field's value as its text stands, also while it still has the focus.
int enteredValue(QSpinBox* spin)
{
    spin->interpretText();
    return spin->value();
}

} // namespace

Tnastaveni::Tnastaveni(TMainform& mainform) : QDialog(&mainform), m_mainform(mainform)
{
    setObjectName(QStringLiteral("nastaveni"));
    setWindowTitle(QStringLiteral("Nastavení Programu"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(419, 337);

    PageControl1 = named(new QTabWidget(this), "PageControl1");
    PageControl1->setGeometry(8, 8, 401, 289);
    createGeneralPage();
    createViewPage();
    PageControl1->setCurrentWidget(obecne);

    f2ok = named(new QPushButton(QStringLiteral("OK"), this), "f2ok");
    f2ok->setGeometry(240, 304, 75, 25);
    f2ok->setDefault(true);
    f2storno = named(new QPushButton(QStringLiteral("Storno"), this), "f2storno");
    f2storno->setGeometry(328, 304, 75, 25);
    connect(f2ok, &QPushButton::clicked, this, [this] { f2okClick(f2ok); });
    connect(f2storno, &QPushButton::clicked, this, [this] { f2stornoClick(f2storno); });

    if (const QScreen* screen = mainform.screen())
        move(screen->availableGeometry().center() - rect().center());
}

void Tnastaveni::createGeneralPage()
{
    obecne = named(new QWidget, "obecne");
    PageControl1->addTab(obecne, QStringLiteral("Obecné"));
    standupravy = pageGroup("standupravy", QStringLiteral("Standardní úpravy"), obecne);
    // The group's bold caption font would pass on to the controls otherwise.
    QFont font = this->font();
    font.setBold(false);

    // 170 wide rather than 193, so that it ends before "start" instead of running under it.
    plocha = groupControl(
        named(new QPushButton(QStringLiteral("Vytvoří zástupce na ploše"), standupravy), "plocha"),
        QRect(8, 24, 170, 25), font);
    start = groupControl(
        named(new QPushButton(QStringLiteral("Vytvoří zástupce v nabídce start"), standupravy), "start"),
        QRect(184, 24, 193, 25), font);
    connect(plocha, &QPushButton::clicked, this, [this] { plochaClick(plocha); });
    connect(start, &QPushButton::clicked, this, [this] { startClick(start); });

    autosavecheck =
        groupCheckBox("autosavecheck", QStringLiteral("Automaticky ukládat po :"), 8, 74, standupravy);
    SpinEdit1 = spinEdit("SpinEdit1", 60, QRect(184, 72, 65, 24), font, standupravy);
    Label1 = groupLabel("Label1", QStringLiteral("Minutách"), 256, 76, standupravy);
    Label2 = groupLabel("Label2", QStringLiteral("Nastavení počtu položek Zpět"), 8, 104, standupravy);
    zpetkrat = spinEdit("zpetkrat", 10000, QRect(184, 100, 65, 24), font, standupravy);
    Label3 = groupLabel("Label3", QStringLiteral("Krát"), 256, 104, standupravy);
    Label5 = groupLabel("Label5", QStringLiteral("Umístění ukládaných souborů"), 8, 136, standupravy);
    placeFieldColumn();

    Umistenislozky = groupControl(named(new TFolderEdit(m_mainform.desktop(), standupravy), "Umistenislozky"),
                                  QRect(8, 160, 361, 21), font);
    Umistenislozky->setDialogText(QStringLiteral("Vyberte složku do které se mají ukládat vaše soubory"));
    const QString hint = QStringLiteral("Nastaví místo kde se budou ukládat vaše dokumenty");
    Umistenislozky->setToolTip(hint);
    Umistenislozky->setStatusTip(hint);

    kontrolapravopisu =
        groupCheckBox("kontrolapravopisu", QStringLiteral("Kontrola pravopisu"), 8, 196, standupravy);
}

// The two spin edits stand at their design column unless a caption before
// them runs longer there, as it can with the fonts that stand in for
// "MS Sans Serif"; the units follow them.
void Tnastaveni::placeFieldColumn()
{
    constexpr int Gap = 6;
    const int column =
        std::max({SpinEdit1->x(), autosavecheck->geometry().right() + Gap, Label2->geometry().right() + Gap});
    const int shift = column - SpinEdit1->x();
    for (QWidget* control : std::initializer_list<QWidget*>{SpinEdit1, zpetkrat, Label1, Label3})
        control->move(control->x() + shift, control->y());
}

void Tnastaveni::createViewPage()
{
    TabSheet1 = named(new QWidget, "TabSheet1");
    PageControl1->addTab(TabSheet1, QStringLiteral("Zobrazení"));
    GroupBox1 = pageGroup("GroupBox1", QStringLiteral("Zobrazení"), TabSheet1);
    zalomeniradku = groupCheckBox("zalomeniradku", QStringLiteral("Zalomení řádků"), 8, 24, GroupBox1);
    stavovyradek = groupCheckBox("stavovyradek", QStringLiteral("Stavový řádek"), 8, 40, GroupBox1);
    Pravitko = groupCheckBox("Pravitko", QStringLiteral("Pravítko"), 8, 56, GroupBox1);
    zobrazenihtmlsyntaxe =
        groupCheckBox("zobrazenihtmlsyntaxe", QStringLiteral("Zobrazení html syntaxe"), 8, 72, GroupBox1);
}

void Tnastaveni::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow(this);
}

// The spin edits clamp what they are given, so a period under a minute shows
// as 1 and an undo limit beyond the range as its nearest bound.
void Tnastaveni::FormShow(QObject*)
{
    TZvRichEdit* editor = m_mainform.editor;
    autosavecheck->setChecked(m_mainform.Timer2->Enabled());
    SpinEdit1->setValue(m_mainform.Timer2->Interval() / MillisecondsPerMinute);
    Umistenislozky->setText(m_mainform.SaveDialog1.initialDir);
    stavovyradek->setChecked(!m_mainform.StatusBar1->isHidden());
    Pravitko->setChecked(!m_mainform.ruler->isHidden());
    zalomeniradku->setChecked(editor->WordWrap());
    zpetkrat->setValue(editor->UndoLimit());
    zobrazenihtmlsyntaxe->setChecked(m_mainform.htmlsyntax->isChecked());
    kontrolapravopisu->setChecked(m_mainform.SpellCheckingOn());
}

void Tnastaveni::f2okClick(QObject*)
{
    if (!m_mainform.setSpellChecking(kontrolapravopisu->isChecked())) {
        kontrolapravopisu->setChecked(false);
        m_mainform.desktop().messageBox(
            QStringLiteral("Pro kontrolu pravopisu není nainstalován český slovník (balíček hunspell-cs)."),
            windowTitle(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    TZvRichEdit* editor = m_mainform.editor;
    m_mainform.Timer2->setEnabled(autosavecheck->isChecked());
    m_mainform.Timer2->setInterval(enteredValue(SpinEdit1) * MillisecondsPerMinute);
    m_mainform.SaveDialog1.initialDir = Umistenislozky->text();
    m_mainform.StatusBar1->setVisible(stavovyradek->isChecked());
    m_mainform.ruler->setVisible(Pravitko->isChecked());
    editor->setWordWrap(zalomeniradku->isChecked());
    editor->setUndoLimit(enteredValue(zpetkrat));
    const bool highlighted = m_mainform.htmlsyntax->isChecked();
    m_mainform.htmlsyntax->setChecked(zobrazenihtmlsyntaxe->isChecked());
    if (zobrazenihtmlsyntaxe->isChecked())
        m_mainform.RunHtmlPlugin(editor);
    else if (highlighted)
        removeHighlighting();
    editor->repaint();
    accept();
}

// Highlighting switched off takes back the colours it gave the whole text: the
// text gets the automatic colour (readable on any background), in one undo
// step, and the selection stays where the user left it. Any other OK leaves
// the document alone.
void Tnastaveni::removeHighlighting()
{
    TZvRichEdit* editor = m_mainform.editor;
    const int start = editor->SelectionStart();
    const int length = editor->SelectionLength();
    TRichEditStrings& lines = editor->Lines();
    lines.BeginUpdate();
    const auto restore = qScopeGuard([&] {
        editor->setSelectionStart(start);
        editor->setSelectionLength(length);
        lines.EndUpdate();
    });
    editor->SelectAll();
    editor->SelectionAttributes().setTextColor(clWindowText);
}

void Tnastaveni::f2stornoClick(QObject*)
{
    reject();
}

void Tnastaveni::plochaClick(QObject*)
{
    m_mainform.RunShortcutPlugin(0);
}

void Tnastaveni::startClick(QObject*)
{
    m_mainform.RunShortcutPlugin(3);
}
