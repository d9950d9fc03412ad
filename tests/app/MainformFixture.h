#pragma once

// A main window on the offscreen platform with a scripted desktop, a temporary
// program folder, no spelling dictionaries and the Czech locale, for the main
// window's test suites.

#include "app/TMainform.h"
#include "platform/QtDesktop.h"
#include "editcontrol/RichEditControl.h"
#include "platform/ScriptedDesktop.h"
#include "richedit/TZvRichEdit.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QMenu>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

class MainformFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_programFolder.isValid());
        // The build makes the program folder with an empty "config" folder,
        // where closing stores the settings.
        ASSERT_TRUE(QDir(m_programFolder.path()).mkdir(QStringLiteral("config")));
        m_savedLocale = QLocale();
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
        SetProgramFolderForTesting(m_programFolder.path());
        // Reading the Czech dictionary takes a second: windows check spelling
        // only in the tests that ask for the installed dictionaries.
        SetDictionaryFoldersForTesting({m_programFolder.filePath(QStringLiteral("no-dictionaries"))});
    }

    void TearDown() override
    {
        form.reset();
        SetDictionaryFoldersForTesting({});
        SetProgramFolderForTesting(QString());
        QLocale::setDefault(m_savedLocale);
    }

    TMainform& createForm(const QStringList& parameters = {})
    {
        form = std::make_unique<TMainform>(desktop, parameters);
        return *form;
    }

    // A shown window that has the keyboard, as the window a person works in.
    TMainform& createActiveForm(const QStringList& parameters = {})
    {
        TMainform& window = createForm(parameters);
        window.show();
        QApplication::setActiveWindow(&window);
        QApplication::processEvents();
        return window;
    }

    // The same with the platform's own dialogs, which the test then drives
    // with keys and clicks as a person does.
    TMainform& createActiveFormWithPlatformDialogs()
    {
        form = std::make_unique<TMainform>(platformDialogs, QStringList());
        form->show();
        QApplication::setActiveWindow(form.get());
        QApplication::processEvents();
        return *form;
    }

    // Chooses `item` of the main menu `menu` with the keyboard, as a person
    // does: Alt with the menu's underlined letter, Down until the item is
    // highlighted, then Enter.
    void chooseFromMenu(QMenu* menu, QAction* item)
    {
        highlightInMenu(menu, item);
        if (!::testing::Test::HasFatalFailure())
            QTest::keyClick(menu, Qt::Key_Return);
    }

    // Opens the main menu `menu` with Alt and its underlined letter and moves
    // down to `item`.
    void highlightInMenu(QMenu* menu, QAction* item)
    {
        const QString title = menu->title();
        const QChar letter = title.at(title.indexOf(u'&') + 1).toUpper();
        QTest::keyClick(form->editor->control(), Qt::Key(letter.unicode()), Qt::AltModifier);
        ASSERT_TRUE(menu->isVisible()) << title.toStdString();
        for (qsizetype step = 0; menu->activeAction() != item && step < menu->actions().size(); ++step)
            QTest::keyClick(menu, Qt::Key_Down);
        ASSERT_EQ(menu->activeAction(), item) << item->text().toStdString();
    }

    // A path inside the temporary program folder.
    QString programPath(const QString& relative) const { return m_programFolder.filePath(relative); }
    QString programFolder() const { return m_programFolder.path() + u'/'; }

    // The text of a saved document as the editor reads it back.
    static QString documentTextOf(const QString& path)
    {
        TZvRichEdit reader;
        reader.Lines().LoadFromFile(path);
        return reader.Text();
    }

    ScriptedDesktop desktop;
    QtDesktop platformDialogs;
    std::unique_ptr<TMainform> form; // made after the desktops, so gone before them

private:
    QTemporaryDir m_programFolder;
    QLocale m_savedLocale;
};
