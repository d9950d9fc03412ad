#include "spelling/DictionaryShelf.h"

#include "spelling/SpellEngine.h"

#include <QDir>
#include <QFileInfo>

#include <sys/resource.h>
#include <unistd.h>

#include <thread>
#include <vector>

namespace {

// What the process has read or is reading, by the path of the affix file.
std::map<QString, DictionaryShelf::Loading>& readings()
{
    static std::map<QString, DictionaryShelf::Loading> all;
    return all;
}

// Loads still running when the program ends are waited for then, once, so that no thread
// outlives the library it reads with; a window that closes sooner does not wait.
class LoaderThreads
{
public:
    ~LoaderThreads()
    {
        for (std::thread& thread : m_threads)
            thread.join();
    }
    template <typename Work> void start(Work&& work) { m_threads.emplace_back(std::forward<Work>(work)); }

private:
    std::vector<std::thread> m_threads;
};

DictionaryShelf::Loading startReading(const QString& affixPath)
{
    static LoaderThreads threads;
    DictionaryLoads& loads = DictionaryShelf::loads(); // made here, on the GUI thread
    std::promise<std::shared_ptr<const SpellEngine>> promise;
    DictionaryShelf::Loading loading = promise.get_future().share();
    threads.start([promise = std::move(promise), affixPath, &loads]() mutable {
        // Reading a dictionary is background work: on a busy machine the window opening a
        // document goes first.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
        promise.set_value(SpellEngine::load(affixPath));
        QMetaObject::invokeMethod(&loads, &DictionaryLoads::loaded, Qt::QueuedConnection);
    });
    return loading;
}

bool isReady(const DictionaryShelf::Loading& loading)
{
    return loading.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

} // namespace

DictionaryShelf::DictionaryShelf(QStringList folders) : m_folders(std::move(folders))
{
}

DictionaryLoads& DictionaryShelf::loads()
{
    // Never destroyed: a load that ends while the program exits still announces itself to it.
    static auto* const loads = new DictionaryLoads;
    return *loads;
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
    if (m_requested.count(name))
        return;
    const QString affix = name.isEmpty() ? QString() : affixPath(name);
    if (affix.isEmpty()) {
        m_requested[name] = Loading(); // not installed: asked for, never loading
        return;
    }
    Loading& reading = readings()[affix];
    if (!reading.valid())
        reading = startReading(affix);
    m_requested[name] = reading;
    if (!isReady(reading))
        m_loading.insert(name);
}

const SpellEngine* DictionaryShelf::engine(const QString& name)
{
    request(name);
    const Loading& loading = m_requested[name];
    return loading.valid() && isReady(loading) ? loading.get().get() : nullptr;
}

void DictionaryShelf::waitUntilLoaded()
{
    for (const QString& name : m_loading)
        m_requested[name].wait();
}

bool DictionaryShelf::takeNewlyLoaded()
{
    const auto loaded =
        std::erase_if(m_loading, [this](const QString& name) { return isReady(m_requested[name]); });
    return loaded > 0;
}
