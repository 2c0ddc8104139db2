#pragma once

#include <QWidget>

#include <vector>

namespace lexalon {

class Concordance;

// Where the attestations fall: the whole text as a band with a mark for
// each, darker where several share a column of pixels, and under it their
// number in each tenth of the text. A click chooses the nearest attestation.
class DispersionStrip final : public QWidget
{
    Q_OBJECT

public:
    explicit DispersionStrip(const Concordance &concordance, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void attestationClicked(qsizetype attestation);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QRect band() const;

    const Concordance &m_concordance;
    std::vector<qsizetype> m_tenths;
    // The marks of each column, kept while the band keeps its width.
    std::vector<qsizetype> m_columns;
};

} // namespace lexalon
