#include "spelling/SpellEngine.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <hunspell.hxx>

std::unique_ptr<SpellEngine> SpellEngine::load(const QString& affixPath, const QString& dictionaryPath)
{
    // Hunspell reports no error for a missing file; it then knows no word at all.
    if (!QFile(affixPath).open(QIODevice::ReadOnly) || !QFile(dictionaryPath).open(QIODevice::ReadOnly))
        return nullptr;
    auto hunspell = std::make_unique<Hunspell>(QFile::encodeName(affixPath).constData(),
                                               QFile::encodeName(dictionaryPath).constData());
    return std::unique_ptr<SpellEngine>(new SpellEngine(std::move(hunspell)));
}

SpellEngine::SpellEngine(std::unique_ptr<Hunspell> hunspell) : m_hunspell(std::move(hunspell))
{
    m_encoding = QString::fromStdString(m_hunspell->get_dict_encoding());
    m_utf8 = m_encoding.compare(QStringLiteral("UTF-8"), Qt::CaseInsensitive) == 0;
    m_wordCharacters = decode(m_hunspell->get_wordchars_cpp());
}

SpellEngine::~SpellEngine() = default;

std::string SpellEngine::encode(const QString& word) const
{
    if (m_utf8)
        return word.toStdString();
    QStringEncoder encoder(m_encoding.toLatin1().constData());
    return QByteArray(encoder.encode(word)).toStdString();
}

QString SpellEngine::decode(const std::string& word) const
{
    if (m_utf8)
        return QString::fromStdString(word);
    QStringDecoder decoder(m_encoding.toLatin1().constData());
    return decoder.decode(QByteArray::fromStdString(word));
}

bool SpellEngine::knows(const QString& word) const
{
    return m_hunspell->spell(encode(word));
}

QStringList SpellEngine::suggestions(const QString& word, int limit) const
{
    QStringList result;
    for (const std::string& suggestion : m_hunspell->suggest(encode(word))) {
        if (result.size() == limit)
            break;
        result.append(decode(suggestion));
    }
    return result;
}
