// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <vector>

namespace lexalon {

class Concordance;

// Where the attestations fall: the whole text as a band from its start
// ("début") to its end ("fin") with a mark for each, darker where several
// share a column of pixels, the selected one marked apart, and under it
// their number and share in each tenth of the text. A click chooses the
// nearest attestation.
class DispersionStrip final : public QWidget
{
    Q_OBJECT

public:
    explicit DispersionStrip(const Concordance &concordance, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The attestation to mark; -1 for none.
    void setSelected(qsizetype attestation);

Q_SIGNALS:
    void attestationClicked(qsizetype attestation);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QRect band() const;
    void paintMarks(QPainter &painter, const QRect &area);
    void paintEnds(QPainter &painter, const QRect &area);
    void paintTenths(QPainter &painter, const QRect &area);

    const Concordance &m_concordance;
    std::vector<qsizetype> m_tenths;
    // The marks of each column, kept while the band keeps its width.
    std::vector<qsizetype> m_columns;
    qsizetype m_selected = -1;
};

} // namespace lexalon
