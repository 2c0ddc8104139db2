// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/documents/safexml.h"

#include "platform/interaction/taskprogress.h"
#include "text/documents/documentproblems.h"

#include <QByteArray>
#include <QXmlStreamEntityResolver>

namespace lexalon {

namespace {

// Tokens read between two looks at whether the task should stop.
constexpr qint64 tokensBetweenChecks = 4096;

} // namespace

// Qt asks it for each entity it does not know: it remembers that one was
// asked for and gives nothing, which ends the reading with an error.
class SafeXmlReader::EntityRefusal : public QXmlStreamEntityResolver
{
public:
    QString resolveUndeclaredEntity(const QString &) override
    {
        asked = true;
        return {};
    }

    bool asked = false;
};

SafeXmlReader::SafeXmlReader(QByteArrayView bytes, TaskProgress *progress)
    : m_xml(QByteArray::fromRawData(bytes.data(), bytes.size())),
      m_refusal(std::make_unique<EntityRefusal>()),
      m_progress(progress)
{
    m_xml.setEntityResolver(m_refusal.get());
}

SafeXmlReader::~SafeXmlReader() = default;

bool SafeXmlReader::next()
{
    while (!m_xml.atEnd() && !m_dtdRefused && !m_refusal->asked) {
        if (m_progress && ++m_tokens % tokensBetweenChecks == 0 && m_progress->cancelled())
            throw TaskCancelled();
        switch (m_xml.readNext()) {
        case QXmlStreamReader::DTD:
            // A bare <!DOCTYPE name> declares nothing; anything more is refused
            // before the first element could use it.
            m_dtdRefused = !m_xml.dtdPublicId().isEmpty() || !m_xml.dtdSystemId().isEmpty()
                || m_xml.text().contains(u'[');
            break;
        case QXmlStreamReader::EntityReference:
            m_refusal->asked = true;
            return false;
        case QXmlStreamReader::StartElement:
        case QXmlStreamReader::EndElement:
        case QXmlStreamReader::Characters:
            return true;
        default:
            break;
        }
    }
    return false;
}

void SafeXmlReader::skipElement()
{
    for (int depth = 1; depth > 0 && next();)
        depth += isStart() ? 1 : isEnd() ? -1 : 0;
}

QString SafeXmlReader::attribute(QStringView namespaceUri, QStringView name) const
{
    return m_xml.attributes().value(namespaceUri.toString(), name.toString()).toString();
}

QString SafeXmlReader::attribute(QStringView name) const
{
    return m_xml.attributes().value(name.toString()).toString();
}

QString SafeXmlReader::problem() const
{
    if (m_dtdRefused || m_refusal->asked)
        return documentProblem::entities();
    if (m_xml.hasError())
        return documentProblem::malformedXml(m_xml.lineNumber(), m_xml.columnNumber());
    return {};
}

} // namespace lexalon
