#include "rtf/RtfReader.h"

#include "rtf/RtfParser.h"

RtfReader::RtfReader(QTextCursor cursor) : m_parser(std::make_unique<RtfParser>(std::move(cursor)))
{
}

RtfReader::~RtfReader()
{
    m_parser->abandon();
}

bool RtfReader::feed(const char* data, qsizetype size)
{
    return m_parser->feed(data, size);
}

bool RtfReader::finish()
{
    return m_parser->finish();
}

void RtfReader::showSoFar()
{
    m_parser->showSoFar();
}

QString RtfReader::errorString() const
{
    return m_parser->errorString();
}

QTextCursor RtfReader::cursor() const
{
    return m_parser->cursor();
}
