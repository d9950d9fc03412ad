#include "platform/InsertObjectDialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

InsertObjectDialog::InsertObjectDialog(const InsertObjectOptions& options, Desktop& desktop, QWidget* parent)
    : QDialog(parent), m_options(options), m_desktop(desktop)
{
    setObjectName(QStringLiteral("InsertObjectDialog"));
    setWindowTitle(tr("Vložit objekt"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(tr("Typ objektu:"), this), 0, 0, 1, 2);
    m_kinds = new QListWidget(this);
    m_kinds->addItem(tr("Obrázek ze souboru"));
    m_kinds->setCurrentRow(0);
    m_kinds->setMaximumHeight(m_kinds->sizeHintForRow(0) * 4);
    layout->addWidget(m_kinds, 1, 0, 1, 2);
    auto* fileLabel = new QLabel(tr("&Soubor:"), this);
    layout->addWidget(fileLabel, 2, 0, 1, 2);
    m_file = new QLineEdit(this);
    m_file->setObjectName(QStringLiteral("file"));
    fileLabel->setBuddy(m_file);
    layout->addWidget(m_file, 3, 0);
    auto* browse = new QPushButton(tr("&Procházet..."), this);
    layout->addWidget(browse, 3, 1);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(m_buttons, 4, 0, 1, 2);

    connect(browse, &QPushButton::clicked, this, &InsertObjectDialog::browse);
    connect(m_file, &QLineEdit::textChanged, this, &InsertObjectDialog::updateOkButton);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateOkButton();
}

QString InsertObjectDialog::fileName() const
{
    return QFileInfo(m_file->text().trimmed()).absoluteFilePath();
}

void InsertObjectDialog::browse()
{
    FileDialogOptions picture;
    picture.filters = m_options.filters;
    picture.initialDir = m_options.initialDir;
    picture.fileMustExist = true;
    if (m_desktop.openPictureDialog(picture))
        m_file->setText(picture.fileName);
}

void InsertObjectDialog::updateOkButton()
{
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(QFileInfo(m_file->text().trimmed()).isFile());
}
