#include "rtf/RtfField.h"

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
    if (field.name == QLatin1String("HYPERLINK"))
        field.kind = Kind::Hyperlink;
    Token token;
    bool anchorNext = false;
    while (nextToken(instruction, index, token)) {
        if (token.isSwitch) {
            anchorNext = token.text == QLatin1String("\\l");
            continue;
        }
        if (anchorNext)
            field.anchor = token.text;
        else
            field.arguments.append(token.text);
        anchorNext = false;
    }
    return field;
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
