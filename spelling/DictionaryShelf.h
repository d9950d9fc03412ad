#pragma once

// The installed dictionaries, each loaded once, on a thread of its own, the first time it is
// asked for: asking never waits for a load, so a window painting its first screen is not held
// up by a dictionary being read.

#include <QString>
#include <QStringList>

#include <functional>
#include <future>
#include <map>
#include <memory>
#include <thread>

class SpellEngine;

class DictionaryShelf
{
public:
    // `folders`: where NAME.aff and NAME.dic are looked for, in order. `loaded` is called on the
    // loading thread after a dictionary has been loaded (or failed to load).
    DictionaryShelf(QStringList folders, std::function<void()> loaded);
    // Waits for the loads in progress.
    ~DictionaryShelf();

    // The folders a dictionary is looked for in: $DICPATH, then the system's.
    static QStringList systemFolders();

    bool isInstalled(const QString& name) const;
    // Starts loading `name` unless it has been asked for before.
    void request(const QString& name);
    // The dictionary `name` once it has loaded; null while it loads and when it is not installed
    // or cannot be read. Requests it.
    const SpellEngine* engine(const QString& name);
    // Waits until every dictionary requested so far has loaded; true when one had not.
    bool waitUntilLoaded();

private:
    struct Shelf
    {
        std::future<std::unique_ptr<SpellEngine>> pending;
        std::unique_ptr<SpellEngine> engine;
    };
    QString affixPath(const QString& name) const;

    QStringList m_folders;
    std::function<void()> m_loaded;
    std::map<QString, Shelf> m_shelves;
    std::vector<std::thread> m_loaders;
};
