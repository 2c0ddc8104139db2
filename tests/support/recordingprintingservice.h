#pragma once

#include "platform/printingservice.h"

#include <QString>

#include <optional>
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
    explicit RecordingPrintingService(double printableHeightPoints);

    // The next EndDoc fails with this reason.
    void failNextDocument(const QString &reason);

    void setFontName(const QString &name) override;
    void setFontSize(int points) override;
    void setFontBold(bool bold) override;
    void printContinuing(const QString &text) override;
    void printLine(const QString &text) override;
    void setCurrentX(int twips) override;
    void NewPage() override;
    PrintOutcome EndDoc() override;
    bool hasRoomForLine() const override;

    // Documents ended without failure, and the one in progress.
    const std::vector<Document> &documents() const { return m_documents; }
    const Document &current() const { return m_current; }

private:
    void draw(const QString &text);
    double lineHeight() const;

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
