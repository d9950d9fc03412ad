#pragma once

// The properties dialog of an embedded object: one "Obecné" page with the
// object's type, size and location, and its picture when it is one.

#include "platform/Desktop.h"

#include <QDialog>

class ObjectPropertiesDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ObjectPropertiesDialog(const ObjectPropertiesOptions& options, QWidget* parent = nullptr);
};
