#include "spelling/DictionaryShelf.h"

#include "spelling/SpellEngine.h"

#include <QDir>
#include <QFileInfo>

DictionaryShelf::DictionaryShelf(QStringList folders, std::function<void()> loaded)
    : m_folders(std::move(folders)), m_loaded(std::move(loaded))
{
}

DictionaryShelf::~DictionaryShelf()
{
    for (std::thread& loader : m_loaders)
        loader.join();
}

QStringList DictionaryShelf::systemFolders()
{
    QStringList folders;
    const QString fromEnvironment = qEnvironmentVariable("DICPATH");
    if (!fromEnvironment.isEmpty())
        folders += fromEnvironment.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    folders += {QStringLiteral("/usr/share/hunspell"), QStringLiteral("/usr/local/share/hunspell"),
                QStringLiteral("/usr/share/myspell"), QStringLiteral("/usr/share/myspell/dicts")};
    return folders;
}

QString DictionaryShelf::affixPath(const QString& name) const
{
    for (const QString& folder : m_folders) {
        const QString path = QDir(folder).filePath(name + QStringLiteral(".aff"));
        if (QFileInfo(path).isReadable() &&
            QFileInfo(QDir(folder).filePath(name + QStringLiteral(".dic"))).isReadable())
            return path;
    }
    return {};
}

bool DictionaryShelf::isInstalled(const QString& name) const
{
    return !name.isEmpty() && !affixPath(name).isEmpty();
}

void DictionaryShelf::request(const QString& name)
{
    if (m_shelves.count(name))
        return;
    Shelf& shelf = m_shelves[name];
    const QString affix = affixPath(name);
    if (name.isEmpty() || affix.isEmpty())
        return;
    std::promise<std::unique_ptr<SpellEngine>> promise;
    shelf.pending = promise.get_future();
    // The promise is kept before `loaded` is called, so whoever it wakes finds the dictionary.
    m_loaders.emplace_back([promise = std::move(promise), affix, loaded = m_loaded]() mutable {
        promise.set_value(SpellEngine::load(affix));
        if (loaded)
            loaded();
    });
}

const SpellEngine* DictionaryShelf::engine(const QString& name)
{
    request(name);
    Shelf& shelf = m_shelves[name];
    if (shelf.pending.valid() && shelf.pending.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
        shelf.engine = shelf.pending.get();
    return shelf.engine.get();
}

bool DictionaryShelf::waitUntilLoaded()
{
    bool waited = false;
    for (auto& [name, shelf] : m_shelves) {
        if (!shelf.pending.valid())
            continue;
        shelf.engine = shelf.pending.get();
        waited = true;
    }
    return waited;
}
