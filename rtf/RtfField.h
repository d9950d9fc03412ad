#pragma once

// The instruction of an RTF field ({\*\fldinst ...}) taken apart: the field's kind, its
// arguments and its switches. Only HYPERLINK fields change what the reader shows; other
// fields show their result.

#include <QString>
#include <QStringList>

struct RtfField
{
    enum class Kind { Other, Hyperlink };

    Kind kind = Kind::Other;
    QString name;          // the first word, upper case: "HYPERLINK", "PAGE", ...
    QStringList arguments; // the words and quoted texts after it, quotes removed
    QString anchor;        // the argument of \l: a place inside the target

    // Where a HYPERLINK field leads: its first argument that is not empty, with "#anchor"
    // added when it has one; empty for other fields.
    QString linkTarget() const;

    static RtfField parse(const QString& instruction);
};
