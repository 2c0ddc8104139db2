// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QXmlStreamReader>

#include <memory>

namespace lexalon {

class TaskProgress;

// XML read element by element without ever reading a DTD or expanding an
// entity: a DOCTYPE with an internal subset or an external identifier, and
// any entity other than the five predefined ones and character references,
// end the reading with a French problem. Nothing is fetched, from a file or
// the network.
class SafeXmlReader
{
public:
    // Reads these bytes, which must outlive the reader; with a progress,
    // stops by throwing TaskCancelled when it is asked to.
    explicit SafeXmlReader(QByteArrayView bytes, TaskProgress *progress = nullptr);
    ~SafeXmlReader();

    // Moves to the next start element, end element or character data; false
    // at the end of the document or at a fault, which problem() then names.
    bool next();
    // From a start element to its end, what is inside left unread.
    void skipElement();

    bool isStart() const { return m_xml.isStartElement(); }
    bool isEnd() const { return m_xml.isEndElement(); }
    bool isText() const { return m_xml.isCharacters(); }
    QStringView name() const { return m_xml.name(); }
    QStringView namespaceUri() const { return m_xml.namespaceUri(); }
    QStringView text() const { return m_xml.text(); }
    QString attribute(QStringView namespaceUri, QStringView name) const;
    QString attribute(QStringView name) const;

    // Empty when the document was read through and well formed.
    QString problem() const;

private:
    class EntityRefusal;

    QXmlStreamReader m_xml;
    std::unique_ptr<EntityRefusal> m_refusal;
    TaskProgress *m_progress;
    qint64 m_tokens = 0;
    bool m_dtdRefused = false;
};

} // namespace lexalon
