#include "widgets/FontSources.h"

#include <QFontDatabase>
#include <QPrinterInfo>
#include <QRegularExpression>

namespace {

// The font database tells apart one family of several foundries by the
// foundry in brackets ("Nimbus Sans [urw]"); the face's name is the family's.
const QRegularExpression foundrySuffix(QStringLiteral(" \\[[^\\]]*\\]$"));

FontFace describe(const QString& family)
{
    FontFace face;
    face.name = QString(family).remove(foundrySuffix);
    face.fontType = QFontDatabase::isSmoothlyScalable(family) ? TRUETYPE_FONTTYPE : RASTER_FONTTYPE;
    const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
    if (systems.contains(QFontDatabase::Latin))
        face.charSet = ANSI_CHARSET;
    else if (systems.contains(QFontDatabase::Symbol))
        face.charSet = SYMBOL_CHARSET;
    else
        face.charSet = DEFAULT_CHARSET;
    face.pitchAndFamily = QFontDatabase::isFixedPitch(family) ? FIXED_PITCH : VARIABLE_PITCH;
    return face;
}

// The font database also lists the generic families of the font
// configuration under these names; each draws some installed family and is not
// a face of its own.
bool isGenericFamily(const QString& family)
{
    static const QStringList generic{QStringLiteral("Serif"),   QStringLiteral("Sans Serif"),
                                     QStringLiteral("Sans"),    QStringLiteral("Monospace"),
                                     QStringLiteral("Mono"),    QStringLiteral("Cursive"),
                                     QStringLiteral("Fantasy"), QStringLiteral("System-ui")};
    return generic.contains(family, Qt::CaseInsensitive);
}

} // namespace

FontSources FontSources::system()
{
    return {&FontSources::screenFaces, &FontSources::printerFaces};
}

QList<FontFace> FontSources::screenFaces()
{
    QList<FontFace> faces;
    for (const QString& family : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(family) && !isGenericFamily(family))
            faces.append(describe(family));
    }
    return faces;
}

QList<FontFace> FontSources::printerFaces()
{
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        return {};
    QList<FontFace> faces;
    for (FontFace face : screenFaces()) {
        if (face.fontType != TRUETYPE_FONTTYPE)
            continue; // a printer draws only what it can scale
        face.fontType |= DEVICE_FONTTYPE;
        faces.append(face);
    }
    return faces;
}
