#include "spelling/PersonalWordList.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

namespace {

// Longer lines are no words; Hunspell itself refuses words of more than 100 bytes.
constexpr int MaximumWordLength = 100;
// A word list is small; a file larger than this is not one, and only its start is read.
constexpr qint64 MaximumFileSize = 16 << 20;

} // namespace

bool PersonalWordList::isWord(const QString& line)
{
    if (line.isEmpty() || line.size() > MaximumWordLength)
        return false;
    return std::none_of(line.begin(), line.end(), [](QChar c) {
        return c.isSpace() || c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter ||
               c.isNonCharacter() || c == QChar::Null;
    });
}

void PersonalWordList::load(const QString& path)
{
    m_path = path;
    m_words.clear();
    m_set = WordSet();
    readFile();
}

void PersonalWordList::readFile()
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    // Line by line, so one damaged line costs only itself.
    for (const QByteArray& bytes : file.read(MaximumFileSize).split('\n')) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString line = decoder.decode(bytes);
        if (decoder.hasError())
            continue;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QChar::ByteOrderMark))
            line.remove(0, 1);
        if (isWord(line) && m_set.insert(line))
            m_words.append(line);
    }
}

bool PersonalWordList::add(const QString& word)
{
    if (!isWord(word))
        return false;
    if (!m_set.insert(word))
        return true;
    m_words.append(word);
    if (m_path.isEmpty())
        return false;
    // A list the user cannot read or write (its permissions taken away) would refuse every
    // word from now on: give them back and take in the words it holds.
    const QFileInfo existing(m_path);
    if (existing.exists() && !(existing.isReadable() && existing.isWritable())) {
        if (!QFile::setPermissions(m_path, existing.permissions() | QFile::ReadOwner | QFile::WriteOwner))
            return false; // writing now would replace words that could not be read
        readFile();
    }
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write((m_words.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    return file.commit();
}
