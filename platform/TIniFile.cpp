#include "platform/TIniFile.h"

#include "platform/PlainTextCodec.h"
#include "platform/WholeFile.h"
#include "platform/ZvExceptions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <optional>

namespace {

constexpr qsizetype maximumValueLength = 2047;

// The section name of a "[name]" line, or nothing for any other line.
std::optional<QString> sectionName(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']');
    return trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
}

// The key name of a "key=value" line, or nothing for a line without "=".
std::optional<QString> keyName(const QString& line)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    return line.left(equals).trimmed();
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

std::optional<int> parsedInteger(const QString& text)
{
    static const QRegularExpression decimal(QStringLiteral("^-?[0-9]+$"));
    static const QRegularExpression hexadecimal(QStringLiteral("^0[xX][0-9a-fA-F]+$"));
    bool ok = false;
    if (decimal.match(text).hasMatch()) {
        const int value = text.toInt(&ok, 10);
        return ok ? std::optional<int>(value) : std::nullopt;
    }
    if (hexadecimal.match(text).hasMatch()) {
        const uint value = text.mid(2).toUInt(&ok, 16);
        return ok ? std::optional<int>(int(value)) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace

TIniFile::TIniFile(const QString& fileName) : m_fileName(fileName)
{
}

const QStringList& TIniFile::lines() const
{
    if (m_loaded)
        return m_lines;
    m_loaded = true;
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (file.exists())
            m_readError = file.errorString();
        return m_lines;
    }
    m_lines = PlainTextCodec::decode(file.readAll(), PlainTextEncoding::Utf8).split(u'\n');
    // The break after the last line does not start another one.
    if (!m_lines.isEmpty() && m_lines.constLast().isEmpty())
        m_lines.removeLast();
    return m_lines;
}

qsizetype TIniFile::sectionLine(const QString& section) const
{
    const QStringList& all = lines();
    for (qsizetype index = 0; index < all.size(); ++index) {
        const std::optional<QString> name = sectionName(all[index]);
        if (name && sameName(*name, section.trimmed()))
            return index;
    }
    return -1;
}

qsizetype TIniFile::keyLine(qsizetype headerLine, const QString& key) const
{
    const QStringList& all = lines();
    for (qsizetype index = headerLine + 1; index < all.size() && !sectionName(all[index]); ++index) {
        const std::optional<QString> name = keyName(all[index]);
        if (name && sameName(*name, key.trimmed()))
            return index;
    }
    return -1;
}

qsizetype TIniFile::sectionEnd(qsizetype headerLine) const
{
    const QStringList& all = lines();
    qsizetype end = headerLine + 1;
    for (qsizetype index = headerLine + 1; index < all.size() && !sectionName(all[index]); ++index) {
        if (!all[index].trimmed().isEmpty())
            end = index + 1;
    }
    return end;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const qsizetype header = sectionLine(section);
    const qsizetype line = header < 0 ? -1 : keyLine(header, key);
    if (line < 0)
        return defaultValue.left(maximumValueLength);
    const QString& text = m_lines[line];
    return text.mid(text.indexOf(u'=') + 1).trimmed().left(maximumValueLength);
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    return parsedInteger(ReadString(section, key, QString())).value_or(defaultValue);
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    lines(); // the file's own lines first, so that they are kept
    m_changed = true;
    const QString keyText = key.trimmed() + u'=' + value.trimmed();
    const qsizetype header = sectionLine(section);
    if (header < 0) {
        m_lines << u'[' + section.trimmed() + u']' << keyText;
        return;
    }
    const qsizetype line = keyLine(header, key);
    if (line < 0) {
        m_lines.insert(sectionEnd(header), keyText);
        return;
    }
    // The key keeps its spelling in the file.
    m_lines[line] = *keyName(m_lines[line]) + u'=' + value.trimmed();
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::UpdateFile()
{
    if (!m_changed)
        return;
    const auto cannotCreate = [this](const QString& reason) {
        return EFCreateError(QStringLiteral("Cannot create file \"%1\". %2")
                                 .arg(QDir::toNativeSeparators(m_fileName), reason));
    };
    if (!QFileInfo(m_fileName).dir().exists())
        throw cannotCreate(QStringLiteral("The folder does not exist."));
    // A file that is there but could not be read is not replaced by the
    // writes alone, which would lose its other lines.
    if (!m_readError.isEmpty())
        throw cannotCreate(m_readError);
    QByteArray bytes;
    for (const QString& line : std::as_const(m_lines))
        bytes += line.toUtf8() + "\r\n";
    WholeFile::write(m_fileName, [&](QIODevice& file) { file.write(bytes); });
    m_changed = false;
}
