#pragma once

// Splits HTML source text into runs of one syntactic role each, for colouring.
// The scanner is forgiving, as an editor's must be while the user types: it
// never fails, a construct left open runs to the end of the text, and a "<"
// outside quotes ends an unfinished tag so that typing "<a" colours only up
// to the next tag instead of swallowing it.

#include <QStringView>

#include <vector>

enum class HtmlRole : unsigned char {
    Text, // everything outside markup, also the content of <script> and <style>
    Tag,  // "<", "</", the element name, "=", white space between attributes, "/>", ">"; declarations
    AttributeName,  // the name of an attribute
    AttributeValue, // the value of an attribute, with its quotes
    Comment,        // "<!--" to "-->"
    Entity,         // a character reference such as "&amp;", "&#233;", "&#xE9;" (with its ";")
};

// One run: the characters from the previous run's end (0 for the first) up to
// `end`, exclusive. Adjacent runs always differ in role.
struct HtmlRun
{
    int end = 0;
    HtmlRole role = HtmlRole::Text;

    friend bool operator==(const HtmlRun&, const HtmlRun&) = default;
};

class HtmlScanner
{
public:
    // The runs covering all of `text` in order; empty for empty text.
    static std::vector<HtmlRun> scan(QStringView text);

private:
    explicit HtmlScanner(QStringView text) : m_text(text) {}

    void scanAll();
    bool startsMarkup(int position) const;
    void scanMarkup();
    void scanComment();
    void scanDeclaration();
    void scanTag();
    void skipRawText(QStringView elementName);
    int entityEnd(int position) const;
    int skipSpace(int position) const;
    void mark(int end, HtmlRole role);

    QStringView m_text;
    int m_position = 0;
    std::vector<HtmlRun> m_runs;
};
