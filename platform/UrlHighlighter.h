#pragma once

// Automatic link detection: text that looks like a URL is shown as a link
// through the layout's additional formats, so the document itself (its text,
// formats, undo stack and modified flag) is never changed.

#include <QSyntaxHighlighter>

class UrlHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    explicit UrlHighlighter(QTextDocument* document);

    // The detected link that covers `offset` of `text`, as {start, length};
    // length 0 when there is none.
    static std::pair<int, int> urlAt(const QString& text, int offset);

protected:
    void highlightBlock(const QString& text) override;
};
