#pragma once

#include "platform/printingservice.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace lexalon {

// A printer for tests and benchmarks: keeps every document as pages of lines
// of placed texts. Its page holds as many lines as a printable height allows,
// a line being as high as its font size times lineHeightPerPoint.
class RecordingPrintingService final : public PrintingService
{
public:
    static constexpr double lineHeightPerPoint = 1.2;

    struct Piece
    {
        // Twips from the left edge: 0 at the start of a line, the CurrentX
        // set just before; empty when the text follows the previous one.
        std::optional<int> x;
        QString text;
        QString fontName;
        int fontSize = 0;
        bool bold = false;
    };
    using Line = std::vector<Piece>;
    using Page = std::vector<Line>;
    using Document = std::vector<Page>;

    // Without a height, a page takes any number of lines.
    RecordingPrintingService() = default;
    explicit RecordingPrintingService(double printableHeightPoints) : m_printableHeight(printableHeightPoints) {}

    // The next endDocument fails with this reason.
    void failNextDocument(const QString &reason) { m_failure = reason; }

    void setFontName(const QString &name) override { m_fontName = name; }
    void setFontSize(int points) override { m_fontSize = points; }
    void setFontBold(bool bold) override { m_bold = bold; }
    void printContinuing(const QString &text) override { draw(text); }
    void printLine(const QString &text) override
    {
        draw(text);
        m_usedHeight += m_fontSize * lineHeightPerPoint;
        endLine();
    }
    void setCurrentX(int twips) override { m_nextX = twips; }
    void newPage() override
    {
        m_pageEnded = true;
        endLine();
    }
    PrintOutcome endDocument() override
    {
        Document ended = std::exchange(m_current, Document());
        newPage();
        if (m_failure)
            return {false, *std::exchange(m_failure, std::nullopt)};
        m_documents.push_back(std::move(ended));
        return {};
    }
    bool hasRoomForLine() const override
    {
        return m_pageEnded || m_current.back().empty() || !m_printableHeight
               || m_usedHeight + m_fontSize * lineHeightPerPoint <= *m_printableHeight;
    }

    // Documents ended without failure, and the one in progress.
    const std::vector<Document> &documents() const { return m_documents; }
    const Document &current() const { return m_current; }

private:
    void endLine()
    {
        m_lineOpen = false;
        m_nextX = 0;
    }
    void draw(const QString &text)
    {
        if (std::exchange(m_pageEnded, false)) {
            m_current.emplace_back();
            m_usedHeight = 0;
        }
        if (!std::exchange(m_lineOpen, true))
            m_current.back().emplace_back();
        m_current.back().back().push_back({std::exchange(m_nextX, std::nullopt), text, m_fontName, m_fontSize, m_bold});
    }

    std::optional<double> m_printableHeight;
    QString m_fontName;
    int m_fontSize = 0;
    bool m_bold = false;
    std::optional<int> m_nextX = 0;
    bool m_lineOpen = false;
    bool m_pageEnded = true;
    double m_usedHeight = 0;
    std::optional<QString> m_failure;
    Document m_current;
    std::vector<Document> m_documents;
};

} // namespace lexalon
