#pragma once

// The kinds of formatting a loaded document shows, as short names ("bold",
// "centred", "bulleted list", "table 4x3", "link https://...", "png picture" ...),
// so a test can ask whether what a source document had reached the editor.

#include <QSet>
#include <QString>

class QTextDocument;

QSet<QString> DocumentFeatures(const QTextDocument& document);
