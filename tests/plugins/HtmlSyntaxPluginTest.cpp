// zorvanhtmls.dll: htmlsyntaxe colours the HTML in the editor's text without
// disturbing the user's selection, scroll position, modified flag or undo history.

#include "tests/plugins/PluginLibrary.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <map>

namespace {

using HtmlSyntaxFunction = void(QWidget*);

// Calls the export as the program does: load, look up, call, unload.
void colorHtml(QWidget* editor)
{
    PluginLibrary library("zorvanhtmls.dll");
    ASSERT_TRUE(library.isLoaded()) << PluginLibrary::lastError();
    auto* function = library.function<HtmlSyntaxFunction>("htmlsyntaxe");
    ASSERT_NE(function, nullptr);
    function(editor);
}

// The colour the character at `position` is shown in: its own text colour, or
// the editor's text colour when it has none.
QColor shownColor(const QTextEdit& edit, int position)
{
    const QTextBlock block = edit.document()->findBlock(position);
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.contains(position)) {
            const QBrush brush = fragment.charFormat().foreground();
            return brush.style() == Qt::NoBrush ? edit.palette().color(QPalette::Text) : brush.color();
        }
    }
    return {};
}

void typeText(QTextEdit& edit, const QString& text)
{
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
        QCoreApplication::sendEvent(&edit, &press);
    }
}

class HtmlSyntaxPluginTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_edit.resize(400, 300);
        m_edit.show();
    }

    QTextDocument& document() { return *m_edit.document(); }

    // Appends `text` in one edit block, as pasting does.
    void insertAsOneStep(const QString& text)
    {
        QTextCursor cursor(&document());
        cursor.movePosition(QTextCursor::End);
        cursor.beginEditBlock();
        cursor.insertText(text);
        cursor.endEditBlock();
    }

    // How many times undo can be pressed; the document is left as it was.
    int undoStepCount()
    {
        int steps = 0;
        for (; document().isUndoAvailable(); ++steps)
            document().undo();
        for (int step = 0; step < steps; ++step)
            document().redo();
        return steps;
    }

    QTextEdit m_edit;
};

// One row: an HTML text and, per character, the role it must be coloured as:
// T tag, A attribute name, V attribute value, C comment, E entity, X other
// text (black), "." not checked (paragraph breaks).
struct ColoringCase
{
    const char* name;
    const char* html;
    const char* roles;
};

class HtmlSyntaxColoringTest : public HtmlSyntaxPluginTest, public ::testing::WithParamInterface<ColoringCase>
{
};

TEST_P(HtmlSyntaxColoringTest, EachRoleHasItsOwnColourAndOtherTextIsBlack)
{
    const QString html = QString::fromUtf8(GetParam().html);
    const QString roles = QString::fromLatin1(GetParam().roles);
    ASSERT_EQ(html.size(), roles.size()) << "the row's two strings must be equally long";
    m_edit.setPlainText(html);

    colorHtml(&m_edit);

    std::map<char16_t, QColor> colorOfRole;
    for (int position = 0; position < roles.size(); ++position) {
        const char16_t role = roles[position].unicode();
        if (role == u'.')
            continue;
        const QColor color = shownColor(m_edit, position);
        auto [known, inserted] = colorOfRole.try_emplace(role, color);
        EXPECT_EQ(known->second, color)
            << "position " << position << " (" << char(role) << ") in " << GetParam().html;
    }
    for (const auto& [role, color] : colorOfRole) {
        for (const auto& [otherRole, otherColor] : colorOfRole) {
            if (role != otherRole) {
                EXPECT_NE(color, otherColor) << char(role) << " and " << char(otherRole) << " look alike";
            }
        }
    }
    if (colorOfRole.count(u'X') != 0) {
        EXPECT_EQ(colorOfRole[u'X'], QColor(Qt::black));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Html, HtmlSyntaxColoringTest,
    ::testing::Values(ColoringCase{"TagWithAttribute", //
                                   "<p class=\"n\">Hi</p>", "TTTAAAAATVVVTXXTTTT"},
                      ColoringCase{"SelfClosingTagWithSpacedAttribute", //
                                   "<img src = \"a.png\" />x", "TTTTTAAATTTVVVVVVVTTTX"},
                      ColoringCase{"SingleQuotedValueMayHoldAngleBrackets", //
                                   "<a title='1 > 0' href=x>t</a>", "TTTAAAAATVVVVVVVTAAAATVTXTTTT"},
                      ColoringCase{"CharacterReferencesButNotLoneAmpersands", //
                                   "a &amp; b&#233;&#xE9; AT&T & c", "XXEEEEEXXEEEEEEEEEEEEXXXXXXXXX"},
                      ColoringCase{"CommentOverParagraphs", //
                                   "x<!-- <b>\nb -->y", "XCCCCCCCC.CCCCCX"},
                      ColoringCase{"LessThanInTextStaysText", //
                                   "1 < 2 and 3<4 <", "XXXXXXXXXXXXXXX"},
                      ColoringCase{"ScriptContentIsNotMarkup", //
                                   "<script>if (a<b) x();</script>", "TTTTTTTTXXXXXXXXXXXXXTTTTTTTTT"},
                      ColoringCase{"UnfinishedTagEndsAtTheNextTag", //
                                   "<a href <b>bold</b>", "TTTAAAATTTTXXXXTTTT"},
                      ColoringCase{"DeclarationsAreTags", //
                                   "<!DOCTYPE html><?xml x?>t", "TTTTTTTTTTTTTTTTTTTTTTTTX"},
                      ColoringCase{"TagOverParagraphs", //
                                   "<a\nhref=\"x\">y", "TT.AAAATVVVTX"}),
    [](const ::testing::TestParamInfo<ColoringCase>& info) { return std::string(info.param.name); });

TEST_F(HtmlSyntaxPluginTest, TextThatStopsBeingMarkupTurnsBlackAgain)
{
    m_edit.setPlainText(QStringLiteral("<b>x</b>"));
    colorHtml(&m_edit);
    ASSERT_NE(shownColor(m_edit, 1), QColor(Qt::black));

    QTextCursor cursor(&document());
    cursor.deleteChar(); // "b>x</b>"
    colorHtml(&m_edit);

    EXPECT_EQ(shownColor(m_edit, 0), QColor(Qt::black));
    EXPECT_EQ(shownColor(m_edit, 1), QColor(Qt::black));
    EXPECT_NE(shownColor(m_edit, 3), QColor(Qt::black));
}

TEST_F(HtmlSyntaxPluginTest, UserColouredTextOutsideMarkupBecomesBlack)
{
    m_edit.setPlainText(QStringLiteral("red <i>x</i>"));
    QTextCursor cursor(&document());
    cursor.setPosition(0);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    QTextCharFormat red;
    red.setForeground(QColor(Qt::red));
    cursor.mergeCharFormat(red);

    colorHtml(&m_edit);

    EXPECT_EQ(shownColor(m_edit, 0), QColor(Qt::black));
    EXPECT_EQ(shownColor(m_edit, 2), QColor(Qt::black));
}

TEST_F(HtmlSyntaxPluginTest, OtherCharacterFormattingIsKept)
{
    m_edit.setPlainText(QStringLiteral("<b>bold</b>"));
    QTextCursor cursor(&document());
    cursor.setPosition(0);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setFontPointSize(17);
    cursor.mergeCharFormat(bold);

    colorHtml(&m_edit);

    for (int position : {1, 4}) {
        cursor.setPosition(position + 1);
        EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold) << position;
        EXPECT_EQ(cursor.charFormat().fontPointSize(), 17) << position;
    }
    EXPECT_NE(shownColor(m_edit, 1), shownColor(m_edit, 4));
}

TEST_F(HtmlSyntaxPluginTest, SelectionAndCaretStayWhereTheUserLeftThem)
{
    m_edit.setPlainText(QStringLiteral("<p class=\"a\">text</p>\n<!-- note -->"));
    QTextCursor selection(&document());
    selection.setPosition(16);
    selection.setPosition(5, QTextCursor::KeepAnchor);
    m_edit.setTextCursor(selection);

    colorHtml(&m_edit);

    EXPECT_EQ(m_edit.textCursor().anchor(), 16);
    EXPECT_EQ(m_edit.textCursor().position(), 5);
    EXPECT_EQ(m_edit.textCursor().selectedText(), QStringLiteral("ass=\"a\">tex"));
}

TEST_F(HtmlSyntaxPluginTest, ScrollPositionIsKept)
{
    QString html;
    for (int line = 0; line < 400; ++line)
        html += QStringLiteral("<p class=\"line\">řádek %1 &amp; <!-- c --></p>\n").arg(line);
    m_edit.setPlainText(html);
    m_edit.moveCursor(QTextCursor::Start);
    QApplication::processEvents();
    QScrollBar* bar = m_edit.verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum() / 2);
    const int scrolled = bar->value();

    colorHtml(&m_edit);
    QApplication::processEvents();

    EXPECT_EQ(bar->value(), scrolled);
    EXPECT_EQ(m_edit.textCursor().position(), 0);
}

TEST_F(HtmlSyntaxPluginTest, UnmodifiedDocumentStaysUnmodified)
{
    m_edit.setPlainText(QStringLiteral("<p>x</p>"));
    document().setModified(false);

    colorHtml(&m_edit);

    EXPECT_NE(shownColor(m_edit, 1), QColor(Qt::black));
    EXPECT_FALSE(document().isModified());
}

TEST_F(HtmlSyntaxPluginTest, ModifiedDocumentStaysModified)
{
    m_edit.setPlainText(QStringLiteral("<p>x</p>"));
    typeText(m_edit, QStringLiteral("<i>"));
    document().setModified(true);

    colorHtml(&m_edit);

    EXPECT_TRUE(document().isModified());
}

TEST_F(HtmlSyntaxPluginTest, NoUndoStepIsAddedToAFreshDocument)
{
    m_edit.setPlainText(QStringLiteral("<p>x</p>"));
    ASSERT_FALSE(document().isUndoAvailable());

    colorHtml(&m_edit);

    EXPECT_NE(shownColor(m_edit, 1), QColor(Qt::black));
    EXPECT_FALSE(document().isUndoAvailable());
    EXPECT_EQ(document().availableUndoSteps(), 0);
    EXPECT_TRUE(document().isUndoRedoEnabled());
}

TEST_F(HtmlSyntaxPluginTest, RecolouringAnEditedDocumentIsOneAnnouncedUndoStep)
{
    m_edit.setPlainText(QStringLiteral("<p>x</p>"));
    colorHtml(&m_edit);
    insertAsOneStep(QStringLiteral(" <i>y</i>"));
    ASSERT_EQ(undoStepCount(), 1);
    int announced = 0;
    QObject::connect(&document(), &QTextDocument::undoCommandAdded, &m_edit, [&] { ++announced; });

    colorHtml(&m_edit);

    // The editor counts undo steps by this signal (for its undo limit), so a
    // step must be announced exactly when one is added.
    EXPECT_EQ(announced, 1);
    EXPECT_EQ(undoStepCount(), 2);
    EXPECT_EQ(shownColor(m_edit, 12), QColor(Qt::black)); // the "y" between the tags
    const QColor tagColor = shownColor(m_edit, 1);
    EXPECT_EQ(shownColor(m_edit, 10), tagColor);

    document().undo();
    EXPECT_EQ(document().toPlainText(), QStringLiteral("<p>x</p> <i>y</i>"));
    EXPECT_EQ(shownColor(m_edit, 12), tagColor); // inserted after ">", it had taken the tag's colour
    document().undo();
    EXPECT_EQ(document().toPlainText(), QStringLiteral("<p>x</p>"));
    EXPECT_FALSE(document().isUndoAvailable());
}

TEST_F(HtmlSyntaxPluginTest, ColouringThatChangesNothingAnnouncesNoStep)
{
    m_edit.setPlainText(QStringLiteral("<p>x</p>"));
    int announced = 0;
    QObject::connect(&document(), &QTextDocument::undoCommandAdded, &m_edit, [&] { ++announced; });

    colorHtml(&m_edit);                      // a fresh document: coloured outside the undo history
    insertAsOneStep(QStringLiteral("<br>")); // takes the colour of the ">" before it, which is right
    announced = 0;
    colorHtml(&m_edit); // already right: not touched

    EXPECT_EQ(announced, 0);
    EXPECT_EQ(undoStepCount(), 1);
}

TEST_F(HtmlSyntaxPluginTest, TypingWithColouringBeforeEachKeyCanBeUndoneToTheSavedDocument)
{
    const QString saved = QStringLiteral("<p class=\"a\">x</p>");
    m_edit.setPlainText(saved);
    colorHtml(&m_edit);
    document().setModified(false);
    m_edit.moveCursor(QTextCursor::End);

    // The program colours before the editor inserts each typed character.
    for (const QChar character : QStringLiteral(" <b id=k>tučně</b> &amp; dál")) {
        colorHtml(&m_edit);
        typeText(m_edit, QString(character));
    }
    colorHtml(&m_edit);
    ASSERT_TRUE(document().isModified());

    while (document().isUndoAvailable())
        document().undo();

    EXPECT_EQ(document().toPlainText(), saved);
    EXPECT_FALSE(document().isModified());
    const int revision = document().revision();
    colorHtml(&m_edit);
    EXPECT_EQ(document().revision(), revision);
}

TEST_F(HtmlSyntaxPluginTest, DocumentAlreadyColouredIsNotTouchedAndRedoSurvives)
{
    m_edit.setPlainText(QStringLiteral("<p>x</p>"));
    colorHtml(&m_edit);
    insertAsOneStep(QStringLiteral(" <i>y"));
    colorHtml(&m_edit);
    document().undo(); // the colours
    document().undo(); // the insertion
    ASSERT_TRUE(document().isRedoAvailable());
    const int revision = document().revision();
    const bool modified = document().isModified();

    colorHtml(&m_edit);

    EXPECT_EQ(document().revision(), revision);
    EXPECT_EQ(document().isModified(), modified);
    EXPECT_TRUE(document().isRedoAvailable());
    document().redo();
    document().redo();
    EXPECT_EQ(document().toPlainText(), QStringLiteral("<p>x</p> <i>y"));
    EXPECT_EQ(shownColor(m_edit, 12), QColor(Qt::black));
}

TEST_F(HtmlSyntaxPluginTest, TextEditInsideTheEditorControlIsFound)
{
    QWidget control;
    auto* layout = new QVBoxLayout(&control);
    auto* inner = new QTextEdit;
    layout->addWidget(inner);
    inner->setPlainText(QStringLiteral("<p>x</p>"));

    colorHtml(&control);

    EXPECT_NE(shownColor(*inner, 1), QColor(Qt::black));
    EXPECT_EQ(shownColor(*inner, 3), QColor(Qt::black));
}

TEST_F(HtmlSyntaxPluginTest, WidgetsWithoutATextEditAndNullAreIgnored)
{
    QWidget plain;
    colorHtml(&plain);
    colorHtml(nullptr);
    m_edit.clear();
    colorHtml(&m_edit);
    EXPECT_TRUE(document().isEmpty());
}

} // namespace
