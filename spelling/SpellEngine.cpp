#include "spelling/SpellEngine.h"

#include <QFile>
#include <QStringDecoder>

#include <nuspell/dictionary.hxx>

namespace {

// The WORDCHARS of an affix file, decoded as its SET line says. The library keeps them to
// itself, and the words of a paragraph must be cut as the dictionary cuts them.
QString wordCharactersOf(const QString& affixPath)
{
    QFile file(affixPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray encoding = "ISO-8859-1"; // an affix file without SET
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().simplified().split(' ');
        if (fields.size() < 2)
            continue;
        if (fields.at(0) == "SET")
            encoding = fields.at(1);
        if (fields.at(0) != "WORDCHARS")
            continue;
        QStringDecoder decoder(encoding.constData());
        return decoder.isValid() ? decoder.decode(fields.at(1)) : QString::fromLatin1(fields.at(1));
    }
    return {};
}

} // namespace

std::unique_ptr<SpellEngine> SpellEngine::load(const QString& affixPath)
{
    auto dictionary = std::make_unique<nuspell::Dictionary>();
    try {
        dictionary->load_aff_dic(QFile::encodeName(affixPath).toStdString());
    } catch (const std::exception&) {
        return nullptr;
    }
    return std::unique_ptr<SpellEngine>(new SpellEngine(std::move(dictionary), wordCharactersOf(affixPath)));
}

SpellEngine::SpellEngine(std::unique_ptr<nuspell::Dictionary> dictionary, QString wordCharacters)
    : m_dictionary(std::move(dictionary)), m_wordCharacters(std::move(wordCharacters))
{
}

SpellEngine::~SpellEngine() = default;

bool SpellEngine::knows(const QString& word) const
{
    return m_dictionary->spell(word.toStdString());
}

QStringList SpellEngine::suggestions(const QString& word, int limit) const
{
    std::vector<std::string> found;
    m_dictionary->suggest(word.toStdString(), found);
    QStringList result;
    for (const std::string& suggestion : found) {
        if (result.size() == limit)
            break;
        result.append(QString::fromStdString(suggestion));
    }
    return result;
}
