#pragma once

// The languages of text by their two names: the Windows language id the model keeps (the N of
// RTF's \langN) and the tag Word and OpenDocument files give ("cs-CZ"; OpenDocument splits it
// into fo:language and fo:country).

#include <QString>
#include <QStringView>

namespace LanguageTags {

// The tag of a language id ("cs-CZ" for 1029); empty for an id this table does not know.
QString tag(int languageId);

// The language id of a tag, matched without regard to case and with "_" taken for "-". A tag
// of a language alone ("en"), or of a region the table does not list ("en-IE"), is the
// language's first region's. 0 for a language this table does not know.
int languageId(QStringView tag);

} // namespace LanguageTags
