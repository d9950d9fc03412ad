#include "office/DocxReader.h"

#include "office/DocxBodyReader.h"
#include "office/DocxNotes.h"
#include "office/DocxNumbering.h"
#include "office/DocxStyles.h"
#include "office/OfficeRelationships.h"
#include "office/XmlPartReader.h"
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
    // The text is taken apart as it is inflated, and while the other parts are read.
    XmlPartReader main;
    if (!archive.read(mainPart, m_limits.mainPart, [&](const QByteArray& block) { main.addData(block); }))
        return fail(archive.errorString());
    main.finishData();

    // The relationships of a part; a part without any has none.
    const auto readRelationships = [&](const QString& source, OfficeRelationships& relationships) {
        const QString name = OfficeRelationships::relationshipsOf(source);
        if (!archive.contains(name))
            return true;
        const std::optional<QByteArray> part = archive.read(name, m_limits.part);
        if (!part)
            return fail(archive.errorString());
        return relationships.read(*part, source) || fail(relationships.errorString());
    };
    OfficeRelationships relationships;
    if (!readRelationships(mainPart, relationships))
        return false;
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

    // The notes come first: the text refers to them. Each notes part has relationships of its
    // own, for the links and pictures of its notes.
    DocxNotes notes;
    for (const auto kind : {QLatin1StringView("footnotes"), QLatin1StringView("endnotes")}) {
        const QString name = relationships.partOfKind(kind);
        if (name.isEmpty())
            continue;
        const std::optional<QByteArray> part = archive.read(name, m_limits.part);
        if (!part)
            return fail(archive.errorString());
        OfficeRelationships partRelationships;
        if (!readRelationships(name, partRelationships))
            return false;
        DocxBodyReader noteReader(QTextCursor(), styles, numbering, partRelationships, archive,
                                  m_limits.part);
        noteReader.setNotes(notes);
        if (!noteReader.readNotes(*part))
            return fail(noteReader.errorString());
    }

    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    DocxBodyReader body(cursor, styles, numbering, relationships, archive, m_limits.part);
    body.setNotes(notes);
    const bool read = body.read(main);
    cursor.endEditBlock();
    return read || fail(body.errorString());
}
