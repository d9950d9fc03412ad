#include "platform/UrlHighlighter.h"

#include <QRegularExpression>

namespace {

const QRegularExpression& urlPattern()
{
    // Scheme-prefixed URLs, "www." hosts and mail addresses with mailto:.
    static const QRegularExpression pattern(
        QStringLiteral(
            R"((?:(?:https?|ftp|file|news|gopher|telnet|nntp)://|mailto:|www\.)[^\s<>"]*[^\s<>".,;:!?)\]}'])"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

// Most paragraphs hold no link; skip the regular expression for them.
bool mayHoldUrl(const QString& text)
{
    return text.contains(QLatin1Char(':')) || text.contains(QLatin1String("www."), Qt::CaseInsensitive);
}

} // namespace

UrlHighlighter::UrlHighlighter(QTextDocument* document) : QSyntaxHighlighter(document)
{
}

void UrlHighlighter::highlightBlock(const QString& text)
{
    if (!mayHoldUrl(text))
        return;
    QTextCharFormat link;
    link.setForeground(QColor(0, 0, 255));
    link.setFontUnderline(true);
    for (auto it = urlPattern().globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        setFormat(int(match.capturedStart()), int(match.capturedLength()), link);
    }
}

std::pair<int, int> UrlHighlighter::urlAt(const QString& text, int offset)
{
    if (!mayHoldUrl(text))
        return {offset, 0};
    for (auto it = urlPattern().globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const int start = int(match.capturedStart());
        if (offset >= start && offset < start + match.capturedLength())
            return {start, int(match.capturedLength())};
    }
    return {offset, 0};
}
