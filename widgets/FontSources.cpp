#include "widgets/FontSources.h"

#include <QFontDatabase>
#include <QPrinterInfo>

namespace {

FontFace describe(const QString& family)
{
    FontFace face;
    face.name = family;
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

} // namespace

FontSources FontSources::system()
{
    return {&FontSources::screenFaces, &FontSources::printerFaces};
}

QList<FontFace> FontSources::screenFaces()
{
    QList<FontFace> faces;
    for (const QString& family : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(family))
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
