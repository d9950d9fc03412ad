#include "office/DocxReader.h"

#include "office/DocxBodyReader.h"
#include "office/DocxNumbering.h"
#include "office/DocxStyles.h"
#include "office/OfficeRelationships.h"
#include "office/ZipArchive.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {

const QString PackageRelationships = QStringLiteral("_rels/.rels");
const QString DefaultMainPart = QStringLiteral("word/document.xml");

} // namespace

bool DocxReader::read(const QByteArray& bytes, QTextDocument& document)
{
    ZipArchive archive(bytes, m_limits.total);
    if (!archive.isOpen()) {
        m_error = archive.errorString();
        return false;
    }
    const auto fail = [&](const QString& error) {
        m_error = error;
        return false;
    };
    // The package names its main part; a package without that list of names has it where
    // Word puts it.
    QString mainPart = DefaultMainPart;
    if (archive.contains(PackageRelationships)) {
        const std::optional<QByteArray> part = archive.read(PackageRelationships, m_limits.part);
        if (!part)
            return fail(archive.errorString());
        OfficeRelationships package;
        if (!package.read(*part, QString()))
            return fail(package.errorString());
        if (const QString named = package.partOfKind(QLatin1StringView("officeDocument")); !named.isEmpty())
            mainPart = named;
    }
    const std::optional<QByteArray> main = archive.read(mainPart, m_limits.mainPart);
    if (!main)
        return fail(archive.errorString());

    OfficeRelationships relationships;
    const QString relationshipsPart = OfficeRelationships::relationshipsOf(mainPart);
    if (archive.contains(relationshipsPart)) {
        const std::optional<QByteArray> part = archive.read(relationshipsPart, m_limits.part);
        if (!part)
            return fail(archive.errorString());
        if (!relationships.read(*part, mainPart))
            return fail(relationships.errorString());
    }
    DocxStyles styles;
    if (const QString name = relationships.partOfKind(QLatin1StringView("styles")); !name.isEmpty()) {
        const std::optional<QByteArray> part = archive.read(name, m_limits.part);
        if (!part)
            return fail(archive.errorString());
        if (!styles.read(*part))
            return fail(styles.errorString());
    }
    if (const QString name = relationships.partOfKind(QLatin1StringView("theme")); !name.isEmpty()) {
        const std::optional<QByteArray> part = archive.read(name, m_limits.part);
        if (!part)
            return fail(archive.errorString());
        if (!styles.readTheme(*part))
            return fail(styles.errorString());
    }
    DocxNumbering numbering;
    if (const QString name = relationships.partOfKind(QLatin1StringView("numbering")); !name.isEmpty()) {
        const std::optional<QByteArray> part = archive.read(name, m_limits.part);
        if (!part)
            return fail(archive.errorString());
        if (!numbering.read(*part))
            return fail(numbering.errorString());
    }

    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    DocxBodyReader body(cursor, styles, numbering, relationships, archive, m_limits.part);
    const bool read = body.read(*main);
    cursor.endEditBlock();
    return read || fail(body.errorString());
}
