#include "format/ListRuns.h"

#include "format/TextFormatProperties.h"

#include <QTextCursor>
#include <QTextList>

namespace {

constexpr int MaxListItems = 100;

} // namespace

int ListRuns::enter(qint64 list, int level)
{
    for (int deeper = level + 1; deeper <= MaxLevel; ++deeper)
        m_runs.remove(keyOf(list, deeper));
    Run& run = m_runs[keyOf(list, level)];
    if (run.list && run.list->count() >= MaxListItems) {
        run.itemsBefore += run.list->count();
        run.list = nullptr;
    }
    return run.itemsBefore;
}

void ListRuns::restart(qint64 list, int level, int itemsBefore)
{
    m_runs.insert(keyOf(list, level), Run{nullptr, itemsBefore});
}

void ListRuns::join(QTextBlockFormat& format, qint64 list, int level) const
{
    if (const QTextList* found = m_runs.value(keyOf(list, level)).list)
        format.setObjectIndex(found->objectIndex());
}

void ListRuns::add(QTextCursor& cursor, qint64 list, int level, int numbering)
{
    Run& run = m_runs[keyOf(list, level)];
    if (run.list) {
        if (cursor.block().textList() != run.list)
            run.list->add(cursor.block());
        return;
    }
    QTextListFormat format;
    format.setStyle(TextFormatProperties::listStyleOf(numbering));
    format.setIndent(0);
    run.list = cursor.createList(format);
}
