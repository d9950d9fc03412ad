#include "app/SpellingMenu.h"

#include "spelling/SpellChecker.h"

#include <QAction>
#include <QMenu>

namespace {

// A suggestion stands in the menu as it reads; an "&" in it is no mnemonic.
QString asCaption(QString text)
{
    return text.replace(u'&', QStringLiteral("&&"));
}

} // namespace

SpellingMenu::SpellingMenu(TZvCustomRichEdit& editor, QMenu& menu, std::function<void(const QString&)> tell,
                           QObject* parent)
    : QObject(parent), m_editor(editor), m_menu(menu), m_tell(std::move(tell))
{
}

void SpellingMenu::prepareFor(int position)
{
    m_items.reset();
    SpellChecker* checker = m_editor.spellChecker();
    const std::optional<TMisspelledWord> word = checker ? m_editor.MisspelledWordAt(position) : std::nullopt;
    if (!word)
        return;
    m_items = std::make_unique<QObject>();
    QList<QAction*> items;
    auto add = [&](const QString& caption, const char* name) {
        auto* action = new QAction(caption, m_items.get());
        action->setObjectName(QString::fromLatin1(name));
        items.append(action);
        return action;
    };
    const QStringList suggestions = checker->suggestions(word->text, word->language).mid(0, MostSuggestions);
    for (const QString& suggestion : suggestions)
        connect(add(asCaption(suggestion), "SpellingSuggestion"), &QAction::triggered, this,
                [this, misspelled = *word, suggestion] {
                    m_editor.ReplaceMisspelledWord(misspelled, suggestion);
                });
    if (suggestions.isEmpty())
        add(QStringLiteral("(žádné návrhy)"), "SpellingNoSuggestion")->setEnabled(false);
    connect(add(QStringLiteral("Př&idat do slovníku"), "SpellingAddToDictionary"), &QAction::triggered, this,
            [this, text = word->text] { addToPersonalList(text); });
    connect(add(QStringLiteral("Ignorovat &vše"), "SpellingIgnoreAll"), &QAction::triggered, this,
            [this, text = word->text] {
                if (SpellChecker* current = m_editor.spellChecker())
                    current->ignoreAll(text);
            });
    auto* separator = new QAction(m_items.get());
    separator->setSeparator(true);
    items.append(separator);
    const QList<QAction*> usual = m_menu.actions();
    m_menu.insertActions(usual.isEmpty() ? nullptr : usual.constFirst(), items);
}

void SpellingMenu::addToPersonalList(const QString& word)
{
    SpellChecker* checker = m_editor.spellChecker();
    if (checker && !checker->addToPersonalList(word))
        m_tell(QStringLiteral("Slovo se nepodařilo uložit do osobního slovníku."));
}
