#pragma once

// Qt's own texts in Czech, whatever the user's locale: the Czech catalog of
// Qt's base module. Qt 6 asks for some of the file dialog's texts ("Folder",
// "Drive", "%1 File") under a context that this catalog does not know yet;
// they are answered from the context the catalog holds them under.

#include <QTranslator>

class QCoreApplication;

class CzechQtTranslator : public QTranslator
{
    Q_OBJECT
public:
    using QTranslator::QTranslator;

    // Loads the catalog from Qt's translations folder; false when it is missing.
    bool loadCatalog();

    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;

    // Makes Qt's dialogs, buttons and the dates, sizes and numbers they show
    // Czech: the locale is Czech, and a translator owned by `application` is
    // installed. False when the catalog is missing; the locale is Czech all the same.
    static bool installOn(QCoreApplication& application);
};
