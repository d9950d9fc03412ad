#include "editcontrol/UrlDetector.h"

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

namespace UrlDetector {

QList<Link> linksIn(const QString& text)
{
    QList<Link> links;
    if (!mayHoldUrl(text))
        return links;
    for (auto it = urlPattern().globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        links.append({int(match.capturedStart()), int(match.capturedLength())});
    }
    return links;
}

std::pair<int, int> urlAt(const QString& text, int offset)
{
    for (const Link& link : linksIn(text))
        if (offset >= link.start && offset < link.start + link.length)
            return {link.start, link.length};
    return {offset, 0};
}

const QTextCharFormat& linkFormat()
{
    static const QTextCharFormat format = [] {
        QTextCharFormat link;
        link.setForeground(QColor(0, 0, 255));
        link.setFontUnderline(true);
        return link;
    }();
    return format;
}

} // namespace UrlDetector
