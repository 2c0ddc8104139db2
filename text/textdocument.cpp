// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/textdocument.h"

#include "text/paragraphindex.h"

#include <utility>

namespace lexalon {

TextDocument::TextDocument(QObject *parent)
    : QObject(parent)
{
}

QString TextDocument::fileLabel() const
{
    switch (m_state) {
    case DocumentState::Loaded:
        return m_path;
    case DocumentState::Closed:
        return QString::fromUtf16(promptAfterClose);
    case DocumentState::Start:
        break;
    }
    return QString::fromUtf16(promptAtStart);
}

void TextDocument::load(const QString &path, const QString &text, std::shared_ptr<const ParagraphIndex> paragraphs)
{
    m_stateBeforeLoad = m_state;
    m_state = DocumentState::Loaded;
    m_path = path;
    m_text = text;
    m_paragraphs = std::move(paragraphs);
    Q_EMIT changed();
}

void TextDocument::abandonLoad()
{
    if (m_state != DocumentState::Loaded)
        return;
    m_state = m_stateBeforeLoad;
    m_path.clear();
    m_text.clear();
    m_paragraphs.reset();
    Q_EMIT changed();
}

void TextDocument::close()
{
    if (!canClose())
        return;
    m_state = DocumentState::Closed;
    m_path.clear();
    m_text.clear();
    m_paragraphs.reset();
    Q_EMIT changed();
}

} // namespace lexalon
