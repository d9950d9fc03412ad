// The XML part reader against QXmlStreamReader itself, on parts long enough to be handed over
// from its tokenizing thread in many chunks: the same tokens, the same errors, and reading
// that stops early.

#include "office/XmlPartReader.h"

#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

// A part of many paragraphs, with attributes, elements of three namespaces, entities,
// character data, comments and instructions, and one text longer than a chunk holds.
QByteArray longPart(int paragraphs)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<w:document xmlns:w=\"urn:w\" xmlns:x=\"urn:x\"><w:body>";
    for (int index = 0; index < paragraphs; ++index) {
        xml += "<w:p w:rsidR=\"" + QByteArray::number(index) +
               "\" x:val=\"\">"
               "<w:r><w:rPr><w:b w:val=\"0\"/></w:rPr><w:t xml:space=\"preserve\"> Žluťoučký &amp; kůň " +
               QByteArray::number(index) +
               " </w:t><![CDATA[<a>]]><!-- poznámka --><?pi data?></w:r><x:mark/><mark/></w:p>\n";
    }
    xml += "<w:p><w:r><w:t>" + QByteArray(300'000, 'a') + "</w:t></w:r></w:p>";
    return xml + "</w:body></w:document>";
}

// Reads both readers token by token, the one under test given the part whole or in pieces of
// `piece` bytes; the first difference, or nothing.
std::string firstDifference(const QByteArray& part, qsizetype piece = 0)
{
    QXmlStreamReader expected(part);
    XmlPartReader actual;
    for (qsizetype at = 0; at<part.size(); at += piece> 0 ? piece : part.size())
        actual.addData(part.mid(at, piece > 0 ? piece : -1));
    actual.finishData();
    for (int token = 0;; ++token) {
        const QXmlStreamReader::TokenType type = expected.readNext();
        const std::string where = "token " + std::to_string(token) + ": ";
        if (actual.readNext() != type)
            return where + "type " + std::to_string(actual.tokenType()) + " for " + std::to_string(type);
        if (type == QXmlStreamReader::StartElement) {
            if (actual.name() != expected.name() || actual.namespaceUri() != expected.namespaceUri())
                return where + "name " + actual.name().toString().toStdString();
            for (const QXmlStreamAttribute& attribute : expected.attributes()) {
                const QStringView value = actual.attribute(QLatin1StringView(attribute.name().toLatin1()));
                if (value != attribute.value())
                    return where + "attribute " + attribute.name().toString().toStdString();
            }
        }
        if ((type == QXmlStreamReader::Characters || type == QXmlStreamReader::EntityReference) &&
            actual.text() != expected.text())
            return where + "text " + actual.text().left(40).toString().toStdString();
        if (type == QXmlStreamReader::Invalid || type == QXmlStreamReader::EndDocument) {
            if (actual.errorString() != expected.errorString())
                return where + "error " + actual.errorString().toStdString();
            return {};
        }
    }
}

TEST(XmlPartReaderTest, GivesTheTokensAndErrorsOfQXmlStreamReaderAcrossItsChunks)
{
    const QByteArray whole = longPart(6000);
    EXPECT_EQ(firstDifference(whole), "");
    // Given as it is inflated, in pieces that split names, tags and characters of two bytes.
    EXPECT_EQ(firstDifference(whole, 4099), "");
    EXPECT_EQ(firstDifference(longPart(200), 7), "");
    // Cut off in a name, and broken in the middle: the same tokens up to the same error.
    EXPECT_EQ(firstDifference(whole.left(whole.size() / 2)), "");
    QByteArray broken = whole;
    broken.insert(whole.size() / 3, "</w:x>");
    EXPECT_EQ(firstDifference(broken), "");
}

TEST(XmlPartReaderTest, ReadsElementTextAndSkipsElementsOverChunks)
{
    XmlPartReader xml(longPart(3000));
    int texts = 0;
    QString last;
    ASSERT_TRUE(xml.readNextStartElement()); // document
    ASSERT_TRUE(xml.readNextStartElement()); // body
    while (xml.readNextStartElement()) {
        if (xml.name() != u"p") {
            xml.skipCurrentElement();
            continue;
        }
        ASSERT_TRUE(xml.readNextStartElement()); // r
        while (xml.readNextStartElement()) {
            if (xml.name() == u"t") {
                last = xml.readElementText();
                ++texts;
            } else {
                xml.skipCurrentElement();
            }
        }
        xml.skipCurrentElement(); // the rest of the paragraph
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(texts, 3001);
    EXPECT_EQ(last, QString(300'000, u'a'));
}

TEST(XmlPartReaderTest, ADocumentTypeEndsThePartBeforeItsEntitiesAreRead)
{
    XmlPartReader xml("<!DOCTYPE d [<!ENTITY e \"rozvinuto\">]><d>&e;</d>");
    EXPECT_EQ(xml.readNext(), QXmlStreamReader::StartDocument);
    EXPECT_EQ(xml.readNext(), QXmlStreamReader::DTD);
    EXPECT_EQ(xml.readNext(), QXmlStreamReader::Invalid);
    EXPECT_EQ(xml.errorString(), QStringLiteral("The part declares a document type"));
    EXPECT_TRUE(xml.atEnd());
}

TEST(XmlPartReaderTest, ARaisedErrorStopsReadingAndAnAbandonedPartIsLetGo)
{
    const QByteArray part = longPart(20000);
    {
        XmlPartReader xml(part);
        for (int token = 0; token < 30000; ++token)
            xml.readNext();
        xml.raiseError(QStringLiteral("obrázek je příliš velký"));
        EXPECT_EQ(xml.readNext(), QXmlStreamReader::Invalid);
        EXPECT_FALSE(xml.readNextStartElement());
        EXPECT_TRUE(xml.hasError());
        EXPECT_EQ(xml.errorString(), QStringLiteral("obrázek je příliš velký"));
    }
    // Left after its first element while the tokenizer waits for room to hand over more.
    XmlPartReader xml(part);
    EXPECT_TRUE(xml.readNextStartElement());
}

} // namespace
