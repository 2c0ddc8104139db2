// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/qtprintingservice.h"

#include "platform/files/outputfile.h"
#include "platform/interaction/twips.h"

#include <QFontMetricsF>
#include <QPdfWriter>
#include <QPointF>
#include <QPrinter>
#include <QStringList>
#include <QSvgRenderer>

using namespace Qt::StringLiterals;

namespace lexalon {

QtPrintingService::QtPrintingService(QPrinter &printer)
    : m_printer(printer)
{
}

QtPrintingService::~QtPrintingService() = default;

void QtPrintingService::setFontName(const QString &name)
{
    // Where Verdana is missing, the sans serif of the closest widths.
    QStringList families{name};
    if (name.compare(u"verdana", Qt::CaseInsensitive) == 0)
        families.append(u"DejaVu Sans"_s);
    m_font.setFamilies(families);
}

void QtPrintingService::setFontSize(int points)
{
    m_font.setPointSize(points);
}

void QtPrintingService::setFontBold(bool bold)
{
    m_font.setBold(bold);
}

void QtPrintingService::printContinuing(const QString &text)
{
    draw(text);
}

void QtPrintingService::printLine(const QString &text)
{
    draw(text);
    m_x = 0;
    m_y += lineSpacing();
}

void QtPrintingService::printPicture(const QByteArray &svg, int widthTwips, int heightTwips)
{
    if (m_x > 0) {
        m_x = 0;
        m_y += lineSpacing();
    }
    const qreal height = qreal(heightTwips) * paintDevice()->logicalDpiY() / twipsPerInch;
    if (m_started && m_y > 0 && m_y + height > m_device->height())
        newPage();
    if (!ready())
        return;
    QSvgRenderer picture(svg);
    if (!picture.isValid()) {
        fail(u"L'image n'a pas pu être imprimée."_s);
        return;
    }
    const qreal width = qreal(widthTwips) * m_device->logicalDpiX() / twipsPerInch;
    picture.render(&m_painter, QRectF(0, m_y, width, height));
    m_y += height;
}

void QtPrintingService::setCurrentX(int xTwips)
{
    m_x = qreal(xTwips) * paintDevice()->logicalDpiX() / twipsPerInch;
}

int QtPrintingService::textWidth(const QString &text) const
{
    const QPaintDevice *device = paintDevice();
    return qRound(QFontMetricsF(m_font, device).horizontalAdvance(text) * twipsPerInch / device->logicalDpiX());
}

void QtPrintingService::newPage()
{
    if (m_started)
        m_pageEnded = true;
    m_x = 0;
}

PrintOutcome QtPrintingService::endDocument()
{
    if (m_started)
        finishPainting();
    PrintOutcome outcome;
    if (m_failure)
        outcome = {false, *m_failure};
    reset();
    return outcome;
}

bool QtPrintingService::hasRoomForLine() const
{
    if (!m_started || m_failure || m_pageEnded || m_y == 0)
        return true;
    return m_y + lineSpacing() <= m_device->height();
}

bool QtPrintingService::begin()
{
    m_started = true;
    m_device = m_printer.outputFormat() == QPrinter::PdfFormat ? openPdfFile() : &m_printer;
    if (!m_device)
        return false;
    if (!m_painter.begin(m_device)) {
        fail(cannotStartReason());
        return false;
    }
    return true;
}

QPagedPaintDevice *QtPrintingService::openPdfFile()
{
    const QString path = m_printer.outputFileName();
    if (path.isEmpty()) {
        fail(cannotStartReason());
        return nullptr;
    }
    m_pdfFile = std::make_unique<OutputFile>(path);
    if (!m_pdfFile->open(QIODevice::WriteOnly)) {
        fail(cannotWriteReason());
        return nullptr;
    }
    m_pdfWriter = std::make_unique<QPdfWriter>(m_pdfFile.get());
    m_pdfWriter->setPdfVersion(m_printer.pdfVersion());
    m_pdfWriter->setResolution(m_printer.resolution());
    m_pdfWriter->setPageLayout(m_printer.pageLayout());
    m_pdfWriter->setCreator(m_printer.creator());
    m_pdfWriter->setTitle(m_printer.docName());
    return m_pdfWriter.get();
}

bool QtPrintingService::ready()
{
    if (m_failure)
        return false;
    if (!m_started && !begin())
        return false;
    if (m_pageEnded) {
        m_pageEnded = false;
        m_y = 0;
        if (!m_device->newPage()) {
            fail(u"L'imprimante n'a pas pu commencer une nouvelle page."_s);
            return false;
        }
    }
    return true;
}

void QtPrintingService::draw(const QString &text)
{
    if (!ready())
        return;
    const QFontMetricsF metrics(m_font, m_device);
    m_painter.setFont(m_font);
    m_painter.drawText(QPointF(m_x, m_y + metrics.ascent()), text);
    m_x += metrics.horizontalAdvance(text);
}

void QtPrintingService::finishPainting()
{
    if (m_pdfFile) {
        if (m_painter.isActive())
            m_painter.end();
        // The PDF writer does not look at its writes; the file keeps the
        // reason of a failed one and refuses to commit.
        if (m_failure)
            m_pdfFile->cancelWriting();
        else if (!m_pdfFile->commit())
            fail(cannotWriteReason());
        return;
    }
    if (m_failure && m_painter.isActive())
        m_printer.abort();
    if (m_painter.isActive())
        m_painter.end();
    if (m_printer.printerState() == QPrinter::Error)
        fail(u"L'imprimante a signalé une erreur."_s);
    else if (m_printer.printerState() == QPrinter::Aborted)
        fail(u"L'impression a été interrompue."_s);
}

void QtPrintingService::fail(const QString &reason)
{
    if (!m_failure)
        m_failure = reason;
}

QString QtPrintingService::cannotWriteReason() const
{
    return u"Le fichier "_s + m_printer.outputFileName() + u" ne peut pas être écrit : "_s
           + m_pdfFile->errorString();
}

QString QtPrintingService::cannotStartReason() const
{
    if (m_printer.printerName().isEmpty() && m_printer.outputFileName().isEmpty())
        return u"Aucune imprimante n'est disponible."_s;
    return u"L'imprimante "_s + m_printer.printerName() + u" ne peut pas imprimer."_s;
}

const QPaintDevice *QtPrintingService::paintDevice() const
{
    if (m_device)
        return m_device;
    return &m_printer;
}

qreal QtPrintingService::lineSpacing() const
{
    return QFontMetricsF(m_font, paintDevice()).lineSpacing();
}

void QtPrintingService::reset()
{
    m_device = nullptr;
    m_pdfWriter.reset();
    m_pdfFile.reset();
    m_started = false;
    m_pageEnded = false;
    m_x = 0;
    m_y = 0;
    m_failure.reset();
}

} // namespace lexalon
