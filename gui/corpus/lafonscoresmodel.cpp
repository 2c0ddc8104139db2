// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/corpus/lafonscoresmodel.h"

#include "wordforms/corpus.h"
#include "wordforms/figures.h"
#include "wordforms/lafonscores.h"

#include <QBrush>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

// Scores past these are strong, then very strong.
constexpr double strongScore = 10.0;
constexpr double veryStrongScore = 50.0;

// Light to deep, each with black text at more than 7:1.
constexpr QColor overUse[] = {{255, 228, 196}, {255, 196, 140}, {255, 160, 96}};
constexpr QColor underUse[] = {{214, 230, 255}, {176, 206, 255}, {136, 178, 255}};

} // namespace

QString shownScore(double score)
{
    // A score that rounds to zero is written without a sign of its own.
    const QString magnitude = decimalFigure(std::abs(score), 1);
    if (magnitude == u"0,0")
        return magnitude;
    return (score < 0 ? u"\u2212"_s : u"+"_s) + magnitude;
}

QColor scoreBackground(double score, double threshold)
{
    const double strength = std::abs(score);
    if (strength < threshold)
        return {};
    const int depth = strength < strongScore ? 0 : strength < veryStrongScore ? 1 : 2;
    return score > 0 ? overUse[depth] : underUse[depth];
}

LafonScoresModel::LafonScoresModel(const Corpus &corpus, QObject *parent)
    : QAbstractTableModel(parent)
    , m_corpus(corpus)
{
}

void LafonScoresModel::show(std::shared_ptr<const LafonScores> lafonScores, std::vector<std::uint32_t> rows,
                              double threshold)
{
    beginResetModel();
    m_lafonScores = std::move(lafonScores);
    m_rows = std::move(rows);
    m_threshold = threshold;
    endResetModel();
}

int LafonScoresModel::rowOfListRow(qsizetype listRow) const
{
    const auto found = std::find(m_rows.begin(), m_rows.end(), std::uint32_t(listRow));
    return found == m_rows.end() ? -1 : int(found - m_rows.begin());
}

int LafonScoresModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_lafonScores ? 0 : int(m_rows.size());
}

int LafonScoresModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : firstTextColumn + int(m_corpus.textCount());
}

QVariant LafonScoresModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_lafonScores)
        return QVariant();
    const qsizetype row = listRow(index.row());
    const int column = index.column();
    if (column == formColumn) {
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return shownForm(m_corpus.list().form(row));
        return QVariant();
    }
    if (column == totalColumn) {
        if (role == Qt::DisplayRole)
            return groupedFigure(m_lafonScores->corpusCount(row));
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignRight);
        return QVariant();
    }
    const qsizetype text = column - firstTextColumn;
    const double score = m_lafonScores->score(row, text);
    switch (role) {
    case Qt::DisplayRole:
        return shownScore(score);
    case Qt::ToolTipRole:
        return u"%1 dans %2 : %3\nf = %4, F = %5, t = %6, T = %7"_s.arg(
            shownForm(m_corpus.list().form(row)), m_corpus.textName(text),
            decimalFigure(score, 4).replace(u'-', u'\u2212'),
            groupedFigure(m_lafonScores->count(row, text)), groupedFigure(m_lafonScores->corpusCount(row)),
            groupedFigure(m_lafonScores->partSize(text)), groupedFigure(m_lafonScores->corpusSize()));
    case Qt::BackgroundRole:
        if (const QColor background = scoreBackground(score, m_threshold); background.isValid())
            return QBrush(background);
        return QVariant();
    case Qt::ForegroundRole:
        // On a tint the text is black, whatever the theme.
        return scoreBackground(score, m_threshold).isValid() ? QVariant(QBrush(Qt::black)) : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | Qt::AlignRight);
    default:
        return QVariant();
    }
}

QVariant LafonScoresModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole) {
        if (section == formColumn)
            return u"Forme"_s;
        if (section == totalColumn)
            return u"Total"_s;
        return m_corpus.textName(section - firstTextColumn);
    }
    if (role == Qt::ToolTipRole && section >= firstTextColumn)
        return u"Trier les formes par leur spécificité dans « %1 »"_s.arg(m_corpus.textName(section - firstTextColumn));
    return QVariant();
}

} // namespace lexalon
