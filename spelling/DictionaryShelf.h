#pragma once

// The installed dictionaries, each read once per process, on a thread of its own at a low
// priority, the first time a shelf asks for it: asking never waits for a load, so a window
// painting its first screen is not held up by a dictionary being read, nor is a window that
// closes while one is read. Every shelf of the process shares what was read (a second window
// or checker finds the Czech dictionary ready). Shelves live on the GUI thread.

#include <QObject>
#include <QString>
#include <QStringList>

#include <future>
#include <map>
#include <memory>
#include <set>

class SpellEngine;

class DictionaryShelf
{
public:
    // `folders`: where NAME.aff and NAME.dic are looked for, in order.
    explicit DictionaryShelf(QStringList folders);

    // The folders a dictionary is looked for in: $DICPATH, then the system's.
    static QStringList systemFolders();
    // Emits loaded() on the GUI thread each time a dictionary of the process has been read.
    static class DictionaryLoads& loads();

    bool isInstalled(const QString& name) const;
    // Starts loading `name` unless it has been asked for before.
    void request(const QString& name);
    // The dictionary `name` once it has loaded; null while it loads and when it is not installed
    // or cannot be read. Requests it.
    const SpellEngine* engine(const QString& name);
    // Waits until every dictionary this shelf requested has loaded.
    void waitUntilLoaded();
    // Whether a dictionary this shelf requested has loaded since it was last asked (loads()
    // speaks of every dictionary of the process).
    bool takeNewlyLoaded();

    using Loading = std::shared_future<std::shared_ptr<const SpellEngine>>;

private:
    QString affixPath(const QString& name) const;

    QStringList m_folders;
    std::map<QString, Loading> m_requested; // by dictionary name
    std::set<QString> m_loading;            // requested, not yet seen loaded
};

class DictionaryLoads : public QObject
{
    Q_OBJECT
Q_SIGNALS:
    void loaded();
};
