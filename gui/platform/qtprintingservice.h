// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/interaction/printingservice.h"

#include <QFont>
#include <QPainter>
#include <QString>

#include <memory>
#include <optional>

class QPagedPaintDevice;
class QPaintDevice;
class QPdfWriter;
class QPrinter;

namespace lexalon {

class OutputFile;

// Prints on the program's printer, as the printer setup dialog left it. A
// printer set to write a PDF file writes it through a QSaveFile, so that a
// failed document leaves no file, and an existing one as it was.
class QtPrintingService final : public PrintingService
{
public:
    explicit QtPrintingService(QPrinter &printer);
    ~QtPrintingService() override;

    void setFontName(const QString &name) override;
    void setFontSize(int points) override;
    void setFontBold(bool bold) override;
    void printContinuing(const QString &text) override;
    void printLine(const QString &text) override;
    void printPicture(const QByteArray &svg, int widthTwips, int heightTwips) override;
    void setCurrentX(int twips) override;
    int textWidth(const QString &text) const override;
    void newPage() override;
    PrintOutcome endDocument() override;
    bool hasRoomForLine() const override;

private:
    bool begin();
    QPagedPaintDevice *openPdfFile();
    bool ready();
    void draw(const QString &text);
    void finishPainting();
    void fail(const QString &reason);
    QString cannotStartReason() const;
    QString cannotWriteReason() const;
    const QPaintDevice *paintDevice() const;
    qreal lineSpacing() const;
    void reset();

    QPrinter &m_printer;
    QFont m_font;
    std::unique_ptr<OutputFile> m_pdfFile;
    std::unique_ptr<QPdfWriter> m_pdfWriter;
    QPainter m_painter; // after the devices, so that it ends before they go
    QPagedPaintDevice *m_device = nullptr;
    bool m_started = false;
    bool m_pageEnded = false;
    qreal m_x = 0; // device units from the left of the printable area
    qreal m_y = 0; // top of the next line
    std::optional<QString> m_failure;
};

} // namespace lexalon
