#include "tests/support/recordingprintingservice.h"

#include <utility>

namespace lexalon {

RecordingPrintingService::RecordingPrintingService(double printableHeightPoints)
    : m_printableHeight(printableHeightPoints)
{
}

void RecordingPrintingService::failNextDocument(const QString &reason)
{
    m_failure = reason;
}

void RecordingPrintingService::setFontName(const QString &name)
{
    m_fontName = name;
}

void RecordingPrintingService::setFontSize(int points)
{
    m_fontSize = points;
}

void RecordingPrintingService::setFontBold(bool bold)
{
    m_bold = bold;
}

void RecordingPrintingService::printContinuing(const QString &text)
{
    draw(text);
}

void RecordingPrintingService::printLine(const QString &text)
{
    draw(text);
    m_usedHeight += lineHeight();
    m_lineOpen = false;
    m_nextX = 0;
}

void RecordingPrintingService::setCurrentX(int twips)
{
    m_nextX = twips;
}

void RecordingPrintingService::NewPage()
{
    m_pageEnded = true;
    m_lineOpen = false;
    m_nextX = 0;
}

PrintOutcome RecordingPrintingService::EndDoc()
{
    Document ended = std::exchange(m_current, Document());
    m_pageEnded = true;
    m_lineOpen = false;
    m_nextX = 0;
    if (m_failure) {
        const QString reason = *std::exchange(m_failure, std::nullopt);
        return {false, reason};
    }
    m_documents.push_back(std::move(ended));
    return {};
}

bool RecordingPrintingService::hasRoomForLine() const
{
    if (m_pageEnded || m_current.back().empty() || !m_printableHeight)
        return true;
    return m_usedHeight + lineHeight() <= *m_printableHeight;
}

void RecordingPrintingService::draw(const QString &text)
{
    if (m_pageEnded) {
        m_current.emplace_back();
        m_pageEnded = false;
        m_usedHeight = 0;
    }
    Page &page = m_current.back();
    if (!m_lineOpen) {
        page.emplace_back();
        m_lineOpen = true;
    }
    page.back().push_back({m_nextX, text, m_fontName, m_fontSize, m_bold});
    m_nextX.reset();
}

double RecordingPrintingService::lineHeight() const
{
    return m_fontSize * lineHeightPerPoint;
}

} // namespace lexalon
