#include "platform/ObjectPropertiesDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

ObjectPropertiesDialog::ObjectPropertiesDialog(const ObjectPropertiesOptions& options, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ObjectPropertiesDialog"));
    setWindowTitle(options.caption);
    auto* tabs = new QTabWidget(this);
    auto* general = new QWidget(tabs);
    auto* form = new QFormLayout(general);
    if (!options.picture.isNull()) {
        auto* picture = new QLabel(general);
        constexpr int Side = 96;
        const QImage& image = options.picture;
        picture->setPixmap(
            QPixmap::fromImage(image.width() > Side || image.height() > Side
                                   ? image.scaled(Side, Side, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                                   : image));
        form->addRow(picture, new QLabel(options.typeName, general));
    }
    form->addRow(tr("Typ:"), new QLabel(options.typeName, general));
    form->addRow(tr("Velikost:"), new QLabel(options.size, general));
    form->addRow(tr("Umístění:"), new QLabel(options.location, general));
    tabs->addTab(general, tr("Obecné"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}
