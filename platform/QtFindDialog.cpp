#include "platform/QtFindDialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWidget>

QtFindDialog::QtFindDialog(FindDialogKind kind, QObject* owner) : TFindDialog(kind, owner)
{
    auto* ownerWidget = qobject_cast<QWidget*>(owner);
    buildWindow(ownerWidget ? ownerWidget->window() : nullptr);
    stateChanged();
}

QtFindDialog::~QtFindDialog()
{
    if (!m_window)
        return;
    // Destroying the window is no closing by the user: no OnClose.
    m_window->disconnect(this);
    delete m_window;
}

void QtFindDialog::buildWindow(QWidget* parent)
{
    const bool replacing = kind() == FindDialogKind::Replace;
    m_window = new QDialog(parent);
    m_window->setObjectName(replacing ? QStringLiteral("ReplaceDialog") : QStringLiteral("FindDialog"));
    m_window->setWindowTitle(replacing ? QStringLiteral("Nahradit") : QStringLiteral("Najít"));
    m_window->setModal(false);

    auto* fields = new QFormLayout;
    m_findEdit = new QLineEdit;
    fields->addRow(QStringLiteral("Najít:"), m_findEdit);
    connect(m_findEdit, &QLineEdit::textEdited, this, &TFindDialog::setFindText);
    if (replacing) {
        m_replaceEdit = new QLineEdit;
        fields->addRow(QStringLiteral("Nahradit čím:"), m_replaceEdit);
        connect(m_replaceEdit, &QLineEdit::textEdited, this, &TFindDialog::setReplaceText);
    }

    m_wholeWord = new QCheckBox(QStringLiteral("Pouze celá slova"));
    m_matchCase = new QCheckBox(QStringLiteral("Rozlišovat velká a malá písmena"));
    connect(m_wholeWord, &QCheckBox::toggled, this, [this](bool on) { setOption(frWholeWord, on); });
    connect(m_matchCase, &QCheckBox::toggled, this, [this](bool on) { setOption(frMatchCase, on); });
    auto* checks = new QVBoxLayout;
    checks->addWidget(m_wholeWord);
    checks->addWidget(m_matchCase);
    auto* choices = new QHBoxLayout;
    choices->addLayout(checks);
    if (!replacing) {
        m_direction = new QGroupBox(QStringLiteral("Směr"));
        m_up = new QRadioButton(QStringLiteral("Nahoru"));
        m_down = new QRadioButton(QStringLiteral("Dolů"));
        auto* directions = new QHBoxLayout(m_direction);
        directions->addWidget(m_up);
        directions->addWidget(m_down);
        connect(m_down, &QRadioButton::toggled, this, [this](bool on) { setOption(frDown, on); });
        choices->addWidget(m_direction);
    }

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(choices);
    left->addStretch();

    auto* buttons = new QVBoxLayout;
    auto* columns = new QHBoxLayout(m_window);
    columns->addLayout(left);
    columns->addLayout(buttons);
    buttons->addWidget(addButton(QStringLiteral("Najít další"), &TFindDialog::pressFindNext));
    m_requestButtons.front()->setDefault(true);
    if (replacing) {
        buttons->addWidget(addButton(QStringLiteral("Nahradit"), &TFindDialog::pressReplace));
        buttons->addWidget(addButton(QStringLiteral("Nahradit vše"), &TFindDialog::pressReplaceAll));
    }
    auto* cancel = new QPushButton(QStringLiteral("Zrušit"));
    connect(cancel, &QPushButton::clicked, m_window, &QDialog::reject);
    buttons->addWidget(cancel);
    buttons->addStretch();

    // Cancel, Escape and the window frame all end in finished().
    connect(m_window, &QDialog::finished, this, &QtFindDialog::raiseClose);
}

QPushButton* QtFindDialog::addButton(const QString& caption, void (TFindDialog::*press)())
{
    auto* button = new QPushButton(caption);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, press);
    m_requestButtons << button;
    return button;
}

void QtFindDialog::setOption(TFindOption option, bool on)
{
    setOptions(on ? Options() | option : Options() & ~option);
}

void QtFindDialog::stateChanged()
{
    // Only what differs is written back, so typing is not disturbed.
    if (m_findEdit->text() != FindText())
        m_findEdit->setText(FindText());
    if (m_replaceEdit && m_replaceEdit->text() != ReplaceText())
        m_replaceEdit->setText(ReplaceText());
    const TFindOptions options = Options();
    m_wholeWord->setChecked(options & frWholeWord);
    m_matchCase->setChecked(options & frMatchCase);
    if (m_direction) {
        (options & frDown ? m_down : m_up)->setChecked(true);
        m_direction->setVisible(!(options & frHideUpDown));
    }
    for (QPushButton* button : std::as_const(m_requestButtons))
        button->setEnabled(!FindText().isEmpty());
}

bool QtFindDialog::Execute()
{
    if (m_window->isVisible()) {
        m_window->raise();
        m_window->activateWindow();
        return true;
    }
    m_window->show();
    m_findEdit->setFocus();
    m_findEdit->selectAll();
    return true;
}

void QtFindDialog::CloseDialog()
{
    if (m_window->isVisible())
        m_window->reject();
}

bool QtFindDialog::isVisible() const
{
    return m_window->isVisible();
}

QPoint QtFindDialog::position() const
{
    return m_window->pos();
}

void QtFindDialog::setPosition(const QPoint& position)
{
    m_window->move(position);
}

QRect QtFindDialog::windowRect() const
{
    return m_window->frameGeometry();
}
