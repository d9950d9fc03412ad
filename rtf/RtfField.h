#pragma once

// The instruction of an RTF field ({\*\fldinst ...}) taken apart: the field's kind, its
// arguments and its switches. HYPERLINK fields make their result a link; fields of the
// kinds below show their result, and when the file holds none the reader makes one.

#include <QHash>
#include <QString>
#include <QStringList>

struct RtfField
{
    enum class Kind { Other, Hyperlink, Symbol, PageNumber, PageCount, Date, Time };

    Kind kind = Kind::Other;
    QString name;          // the first word, upper case: "HYPERLINK", "PAGE", ...
    QStringList arguments; // the words and quoted texts after it, quotes removed
    QString anchor;        // the argument of \l: a place inside the target
    // Every switch, lower case ("\\f"), with its argument; empty for a switch without one.
    QHash<QString, QString> switches;

    // Where a HYPERLINK field leads: its first argument that is not empty, with "#anchor"
    // added when it has one; empty for other fields.
    QString linkTarget() const;
    // The field is one whose result the reader can make: SYMBOL, PAGE, DATE ...
    bool computesResult() const;

    static RtfField parse(const QString& instruction);
    // What a field of a kind that computes its value shows now: the page number and count
    // 1 (the editor shows one long page), today's date, the time; empty for other kinds.
    static QString valueOf(Kind kind);
};
