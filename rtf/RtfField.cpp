#include "rtf/RtfField.h"

#include <QDate>
#include <QLocale>
#include <QTime>

namespace {

// The next word or quoted text of an instruction from index on, and whether it is a
// switch (a word that begins with a backslash). A quote without its partner runs to the
// end.
struct Token
{
    QString text;
    bool isSwitch = false;
};

bool nextToken(const QString& instruction, qsizetype& index, Token& token)
{
    while (index < instruction.size() && instruction.at(index).isSpace())
        ++index;
    if (index >= instruction.size())
        return false;
    if (instruction.at(index) == u'"') {
        const qsizetype end = instruction.indexOf(u'"', index + 1);
        token.text = instruction.mid(index + 1, end < 0 ? -1 : end - index - 1);
        token.isSwitch = false;
        index = end < 0 ? instruction.size() : end + 1;
        return true;
    }
    qsizetype end = index;
    while (end < instruction.size() && !instruction.at(end).isSpace())
        ++end;
    token.text = instruction.mid(index, end - index);
    token.isSwitch = token.text.startsWith(u'\\');
    index = end;
    return true;
}

RtfField::Kind kindOf(const QString& name)
{
    static const QHash<QString, RtfField::Kind> kinds{
        {QStringLiteral("HYPERLINK"), RtfField::Kind::Hyperlink},
        {QStringLiteral("SYMBOL"), RtfField::Kind::Symbol},
        {QStringLiteral("PAGE"), RtfField::Kind::PageNumber},
        {QStringLiteral("NUMPAGES"), RtfField::Kind::PageCount},
        {QStringLiteral("SECTIONPAGES"), RtfField::Kind::PageCount},
        {QStringLiteral("DATE"), RtfField::Kind::Date},
        {QStringLiteral("CREATEDATE"), RtfField::Kind::Date},
        {QStringLiteral("SAVEDATE"), RtfField::Kind::Date},
        {QStringLiteral("PRINTDATE"), RtfField::Kind::Date},
        {QStringLiteral("TIME"), RtfField::Kind::Time},
    };
    return kinds.value(name, RtfField::Kind::Other);
}

// What the word after a switch is: the anchor of \l, the argument of a switch that takes
// one (the tip of \o, the frame of \t, the formats of \*, \@ and \#), or a field argument.
enum class SwitchArgument { None, Anchor, Other };

SwitchArgument argumentOf(const QString& fieldSwitch)
{
    if (fieldSwitch.compare(QLatin1String("\\l"), Qt::CaseInsensitive) == 0)
        return SwitchArgument::Anchor;
    static const QStringList takingArgument{
        QStringLiteral("\\o"), QStringLiteral("\\t"), QStringLiteral("\\*"), QStringLiteral("\\@"),
        QStringLiteral("\\#"), QStringLiteral("\\f"), QStringLiteral("\\s")};
    return takingArgument.contains(fieldSwitch, Qt::CaseInsensitive) ? SwitchArgument::Other
                                                                     : SwitchArgument::None;
}

} // namespace

RtfField RtfField::parse(const QString& instruction)
{
    RtfField field;
    // The name is the letters that begin the instruction: a quote may follow it at once.
    qsizetype index = 0;
    while (index < instruction.size() && instruction.at(index).isSpace())
        ++index;
    const qsizetype nameStart = index;
    while (index < instruction.size() && instruction.at(index).isLetter())
        ++index;
    field.name = instruction.mid(nameStart, index - nameStart).toUpper();
    field.kind = kindOf(field.name);
    Token token;
    SwitchArgument pending = SwitchArgument::None;
    QString pendingSwitch;
    while (nextToken(instruction, index, token)) {
        if (token.isSwitch) {
            pendingSwitch = token.text.toLower();
            field.switches.insert(pendingSwitch, QString());
            pending = argumentOf(token.text);
            continue;
        }
        switch (pending) {
        case SwitchArgument::None:
            field.arguments.append(token.text);
            break;
        case SwitchArgument::Anchor:
            field.anchor = token.text;
            break;
        case SwitchArgument::Other:
            field.switches.insert(pendingSwitch, token.text);
            break;
        }
        pending = SwitchArgument::None;
    }
    return field;
}

QString RtfField::valueOf(Kind kind)
{
    switch (kind) {
    case Kind::PageNumber:
    case Kind::PageCount:
        return QStringLiteral("1");
    case Kind::Date:
        return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    case Kind::Time:
        return QLocale().toString(QTime::currentTime(), QLocale::ShortFormat);
    case Kind::Other:
    case Kind::Hyperlink:
    case Kind::Symbol:
        return {};
    }
    return {};
}

bool RtfField::computesResult() const
{
    return kind != Kind::Other && kind != Kind::Hyperlink;
}

QString RtfField::linkTarget() const
{
    if (kind != Kind::Hyperlink)
        return {};
    QString target;
    for (const QString& argument : arguments) {
        if (!argument.isEmpty()) {
            target = argument;
            break;
        }
    }
    if (!anchor.isEmpty())
        target += u'#' + anchor;
    return target;
}
