#pragma once

// The spelling items of the editor's pop-up menu. For a right click on a word
// the spell checker marks, the menu starts with up to five suggestions, then
// "Přidat do slovníku" and "Ignorovat vše" and a separator before the usual
// items; on any other click, or with checking off, the menu stays as it is.
// The items are made for one showing of the menu and replaced at the next.

#include "richedit/TZvCustomRichEdit.h"

#include <QObject>

#include <functional>
#include <memory>

class QMenu;

class SpellingMenu : public QObject
{
    Q_OBJECT
public:
    // `tell` shows a message to the user (a word that could not be saved).
    SpellingMenu(TZvCustomRichEdit& editor, QMenu& menu, std::function<void(const QString&)> tell,
                 QObject* parent = nullptr);

    // Puts the items for the word at character `position` at the top of the
    // menu, or takes the last ones away when there is none.
    void prepareFor(int position);

    static constexpr int MostSuggestions = 5;

private:
    void addToPersonalList(const QString& word);

    TZvCustomRichEdit& m_editor;
    QMenu& m_menu;
    std::function<void(const QString&)> m_tell;
    // Owns the items of the last showing; they leave the menu with it.
    std::unique_ptr<QObject> m_items;
};
