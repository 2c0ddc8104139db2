// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/concordance/dispersionstrip.h"

#include "wordforms/concordance.h"
#include "wordforms/figures.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

constexpr int parts = 10;
constexpr int bandHeight = 24;
constexpr int margin = 4;
constexpr QColor bandColour{255, 255, 255};
constexpr QColor markColour{0, 0, 128};
constexpr QColor ruleColour{128, 128, 128};
// Red stands out from the navy marks and the white band.
constexpr QColor selectedColour{204, 0, 0};
constexpr int selectedWidth = 3;
// Each further mark on a column takes away this share of the light left.
constexpr double markOpacity = 0.45;
constexpr auto startCaption = u"début";
constexpr auto endCaption = u"fin";

} // namespace

DispersionStrip::DispersionStrip(const Concordance &concordance, QWidget *parent)
    : QWidget(parent)
    , m_concordance(concordance)
    , m_tenths(concordance.dispersion(parts))
{
    setCursor(Qt::PointingHandCursor);
}

QSize DispersionStrip::sizeHint() const
{
    return {600, minimumSizeHint().height()};
}

QSize DispersionStrip::minimumSizeHint() const
{
    // The band, then a line of counts and a line of shares.
    return {200, 2 * margin + bandHeight + 2 * fontMetrics().height() + margin};
}

void DispersionStrip::setSelected(qsizetype attestation)
{
    m_selected = attestation;
    update();
}

// Between the captions of the text's two ends.
QRect DispersionStrip::band() const
{
    const QFontMetrics metrics = fontMetrics();
    const int left = margin + metrics.horizontalAdvance(QString::fromUtf16(startCaption)) + margin;
    const int right = margin + metrics.horizontalAdvance(QString::fromUtf16(endCaption)) + margin;
    return {left, margin, std::max(1, width() - left - right), bandHeight};
}

void DispersionStrip::paintEvent(QPaintEvent *)
{
    const QRect area = band();
    QPainter painter(this);
    paintMarks(painter, area);
    paintEnds(painter, area);
    paintTenths(painter, area);
}

void DispersionStrip::paintMarks(QPainter &painter, const QRect &area)
{
    if (qsizetype(m_columns.size()) != area.width())
        m_columns = m_concordance.dispersion(area.width());
    painter.fillRect(area, bandColour);
    for (int x = 0; x < area.width(); ++x) {
        const qsizetype marks = m_columns[size_t(x)];
        if (marks == 0)
            continue;
        QColor colour = markColour;
        colour.setAlphaF(float(1 - std::pow(1 - markOpacity, double(marks))));
        painter.setPen(colour);
        painter.drawLine(area.left() + x, area.top(), area.left() + x, area.bottom());
    }
    painter.setPen(ruleColour);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    if (m_selected < 0 || m_selected >= m_concordance.size())
        return;
    // In the column the dispersion counts it in.
    const auto column = int(m_concordance.partOf(m_selected, area.width()));
    painter.fillRect(area.left() + column - selectedWidth / 2, 0, selectedWidth, area.bottom() + margin, selectedColour);
}

void DispersionStrip::paintEnds(QPainter &painter, const QRect &area)
{
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(margin, area.top(), area.left() - 2 * margin, area.height()),
                     Qt::AlignRight | Qt::AlignVCenter, QString::fromUtf16(startCaption));
    painter.drawText(QRect(area.right() + 1 + margin, area.top(), width() - area.right() - 1 - 2 * margin, area.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf16(endCaption));
}

// A tick on the band between the tenths, each one's count and share under it.
void DispersionStrip::paintTenths(QPainter &painter, const QRect &area)
{
    const int lineHeight = fontMetrics().height();
    const int textTop = area.bottom() + margin;
    for (int part = 0; part < parts; ++part) {
        const int left = area.left() + area.width() * part / parts;
        const int right = area.left() + area.width() * (part + 1) / parts;
        if (part > 0) {
            painter.setPen(ruleColour);
            painter.drawLine(left, area.bottom() - 4, left, area.bottom());
        }
        painter.setPen(palette().color(QPalette::WindowText));
        const qsizetype count = m_tenths[size_t(part)];
        painter.drawText(QRect(left, textTop, right - left, lineHeight), Qt::AlignCenter, groupedFigure(count));
        painter.drawText(QRect(left, textTop + lineHeight, right - left, lineHeight), Qt::AlignCenter,
                         percentage(count, m_concordance.size()));
    }
}

void DispersionStrip::mousePressEvent(QMouseEvent *event)
{
    const QRect area = band();
    const double share = std::clamp((event->position().x() - area.left()) / area.width(), 0.0, 1.0);
    const qsizetype attestation = m_concordance.nearest(qsizetype(std::llround(share * double(m_concordance.text().size()))));
    if (attestation >= 0)
        Q_EMIT attestationClicked(attestation);
}

} // namespace lexalon
