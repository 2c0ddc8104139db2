// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/interaction/printingservice.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <tuple>
#include <utility>
#include <vector>

namespace lexalon {

// A printer for tests and benchmarks: keeps every document as pages of lines,
// each text of a line as "x text (font size[ bold])", x in twips or "-" when
// the text follows the previous one. A page holds the lines a printable height
// allows, a line being its font size times lineHeightPerPoint high. Every
// character is half its font size wide.
class RecordingPrintingService final : public PrintingService
{
public:
    static constexpr double lineHeightPerPoint = 1.2;
    using Document = std::vector<QStringList>;

    // Without a height, a page takes any number of lines.
    RecordingPrintingService() = default;
    explicit RecordingPrintingService(double printableHeightPoints) : m_printableHeight(printableHeightPoints) {}

    // The next endDocument fails with this reason.
    void failNextDocument(const QString &reason) { m_failure = reason; }

    void setFontName(const QString &name) override { m_fontName = name; }
    void setFontSize(int points) override { m_fontSize = points; }
    void setFontBold(bool bold) override { m_bold = bold; }
    void setCurrentX(int twips) override { m_nextX = twips; }
    int textWidth(const QString &text) const override { return int(text.size()) * m_fontSize * 10; }
    void printContinuing(const QString &text) override { draw(text); }
    void printLine(const QString &text) override
    {
        draw(text);
        m_usedHeight += m_fontSize * lineHeightPerPoint;
        std::tie(m_lineOpen, m_nextX) = std::pair(false, 0);
    }
    // A picture is a line of its own: "[image W x H twips, N bytes]".
    void printPicture(const QByteArray &svg, int widthTwips, int heightTwips) override
    {
        std::tie(m_lineOpen, m_nextX) = std::pair(false, 0);
        draw(QStringLiteral("[image %1 x %2 twips, %3 bytes]").arg(widthTwips).arg(heightTwips).arg(svg.size()));
        std::tie(m_lineOpen, m_nextX) = std::pair(false, 0);
    }
    void newPage() override { std::tie(m_pageEnded, m_lineOpen, m_nextX) = std::tuple(true, false, 0); }
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
        return m_pageEnded || m_current.back().isEmpty() || !m_printableHeight
               || m_usedHeight + m_fontSize * lineHeightPerPoint <= *m_printableHeight;
    }

    // Documents ended without failure.
    const std::vector<Document> &documents() const { return m_documents; }

private:
    void draw(const QString &text)
    {
        if (std::exchange(m_pageEnded, false)) {
            m_current.emplace_back();
            m_usedHeight = 0;
        }
        const QString piece = QStringLiteral("%1 %2 (%3 %4%5)").arg(
            m_nextX ? QString::number(*m_nextX) : QStringLiteral("-"), text, m_fontName, QString::number(m_fontSize),
            m_bold ? QStringLiteral(" bold") : QString());
        QStringList &lines = m_current.back();
        if (!std::exchange(m_lineOpen, true))
            lines.append(QString());
        lines.back() += (lines.back().isEmpty() ? QString() : QStringLiteral(" | ")) + piece;
        m_nextX.reset();
    }

    std::optional<double> m_printableHeight;
    QString m_fontName;
    int m_fontSize = 0;
    bool m_bold = false, m_lineOpen = false, m_pageEnded = true;
    std::optional<int> m_nextX = 0;
    double m_usedHeight = 0;
    std::optional<QString> m_failure;
    Document m_current;
    std::vector<Document> m_documents;
};

} // namespace lexalon
