#include "app/CzechQtTranslator.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

#include <cstring>

bool CzechQtTranslator::loadCatalog()
{
    return load(QStringLiteral("qtbase_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

QString CzechQtTranslator::translate(const char* context, const char* sourceText, const char* disambiguation,
                                     int n) const
{
    const QString translated = QTranslator::translate(context, sourceText, disambiguation, n);
    if (!translated.isEmpty() || !context || std::strcmp(context, "QAbstractFileIconProvider") != 0)
        return translated;
    return QTranslator::translate("QFileDialog", sourceText, disambiguation, n);
}

bool CzechQtTranslator::installOn(QCoreApplication& application)
{
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia));
    auto* translator = new CzechQtTranslator(&application);
    if (!translator->loadCatalog()) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}
