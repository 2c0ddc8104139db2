#include "wordforms/ui/dispersionstrip.h"

#include "wordforms/concordance.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace lexalon {

namespace {

constexpr int parts = 10;
constexpr int bandHeight = 24;
constexpr int margin = 4;
constexpr QColor bandColour{255, 255, 255};
constexpr QColor markColour{0, 0, 128};
constexpr QColor ruleColour{128, 128, 128};
// Each further mark on a column takes away this share of the light left.
constexpr double markOpacity = 0.45;

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
    return {200, 2 * margin + bandHeight + fontMetrics().height() + margin};
}

QRect DispersionStrip::band() const
{
    return {margin, margin, std::max(1, width() - 2 * margin), bandHeight};
}

void DispersionStrip::paintEvent(QPaintEvent *)
{
    const QRect area = band();
    if (qsizetype(m_columns.size()) != area.width())
        m_columns = m_concordance.dispersion(area.width());

    QPainter painter(this);
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

    // The tenths: a tick on the band between them, their counts under it.
    painter.setPen(palette().color(QPalette::WindowText));
    const int textTop = area.bottom() + margin;
    for (int part = 0; part < parts; ++part) {
        const int left = area.left() + area.width() * part / parts;
        const int right = area.left() + area.width() * (part + 1) / parts;
        if (part > 0) {
            painter.setPen(ruleColour);
            painter.drawLine(left, area.bottom() - 4, left, area.bottom());
            painter.setPen(palette().color(QPalette::WindowText));
        }
        painter.drawText(QRect(left, textTop, right - left, fontMetrics().height()), Qt::AlignCenter,
                         QString::number(m_tenths[size_t(part)]));
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
