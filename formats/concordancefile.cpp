// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/concordancefile.h"

#include "platform/system/parallelfor.h"
#include "text/textfile.h"
#include "wordforms/concordance.h"
#include "wordforms/corpus.h"
#include "wordforms/corpusconcordance.h"

#include <QIODevice>
#include <QString>
#include <QStringEncoder>

#include <algorithm>
#include <functional>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

// Rows made into text and UTF-8 a piece at a time, by as many threads as
// there are cores, some pieces each, while the pieces made before are
// written in order: a concordance of a million lines is never held whole.
constexpr qsizetype rowsPerPiece = 4096;
constexpr size_t piecesPerWorker = 4;

constexpr auto textColumn = u"Texte";

// A row's line without its line end, appended.
using AppendRow = std::function<void(qsizetype row, QString &into)>;

void appendNumber(qsizetype number, QString &into)
{
    char16_t digits[20];
    char16_t *first = std::end(digits);
    do {
        *--first = char16_t(u'0' + number % 10);
        number /= 10;
    } while (number > 0);
    into.append(QStringView(first, std::end(digits)));
}

QByteArray headingLine(bool withTexts)
{
    QString heading;
    for (const QStringView column : concordanceColumns) {
        if (column.data() != concordanceColumns[0].data())
            heading += u'\t';
        heading += column;
        if (withTexts && column.data() == concordanceColumns[0].data())
            heading += u'\t' + QString::fromUtf16(textColumn);
    }
    return utf8ByteOrderMark.toByteArray() + heading.toUtf8() + "\r\n";
}

// A piece's text and its bytes, whose memory is kept from one piece to the
// next.
class Piece
{
public:
    void make(qsizetype begin, qsizetype end, const AppendRow &appendRow)
    {
        m_text.resize(0);
        for (qsizetype row = begin; row < end; ++row) {
            appendRow(row, m_text);
            m_text += u"\r\n";
        }
        m_bytes.resize(m_encoder.requiredSpace(m_text.size()));
        char *const written = m_encoder.appendToBuffer(m_bytes.data(), m_text);
        m_bytes.resize(written - m_bytes.constData());
    }

    bool writeTo(QIODevice &device) const { return device.write(m_bytes) == m_bytes.size(); }

private:
    QString m_text;
    QByteArray m_bytes;
    QStringEncoder m_encoder{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
};

// Each round makes a batch of pieces while its first task, which the calling
// thread takes, writes the batch made in the round before: the device is
// only ever written from the thread that owns it.
bool writeRows(bool withTexts, qsizetype rows, const AppendRow &appendRow, QIODevice &device)
{
    const QByteArray heading = headingLine(withTexts);
    if (device.write(heading) != heading.size())
        return false;
    const size_t workers = std::max(1u, std::thread::hardware_concurrency());
    const qsizetype batchRows = rowsPerPiece * qsizetype(workers * piecesPerWorker);
    std::vector<Piece> batches[2] = {std::vector<Piece>(workers * piecesPerWorker), std::vector<Piece>(workers * piecesPerWorker)};
    size_t made = 0; // pieces in the batch made last
    bool written = true;
    for (qsizetype first = 0; written && (first < rows || made > 0); first += batchRows) {
        std::vector<Piece> &making = batches[size_t(first / batchRows) % 2];
        const std::vector<Piece> &writing = batches[size_t(first / batchRows + 1) % 2];
        const size_t count = first < rows ? size_t((std::min(rows, first + batchRows) - first + rowsPerPiece - 1) / rowsPerPiece) : 0;
        parallelFor(count + 1, workers, [&](size_t task, size_t) {
            if (task == 0) {
                for (size_t piece = 0; written && piece < made; ++piece)
                    written = writing[piece].writeTo(device);
                return;
            }
            const qsizetype begin = first + qsizetype(task - 1) * rowsPerPiece;
            making[task - 1].make(begin, std::min(rows, begin + rowsPerPiece), appendRow);
        });
        made = count;
    }
    return written;
}

} // namespace

bool writeConcordance(const Concordance &concordance, int words, QIODevice &device)
{
    return writeRows(false, concordance.size(), [&](qsizetype row, QString &into) {
        const qsizetype attestation = concordance.attestation(row);
        appendNumber(attestation + 1, into);
        into += u'\t';
        concordance.appendLine(attestation, words, into);
    }, device);
}

bool writeConcordance(const CorpusConcordance &concordance, int words, QIODevice &device)
{
    const bool withTexts = concordance.severalTexts();
    return writeRows(withTexts, concordance.size(), [&](qsizetype row, QString &into) {
        const qsizetype attestation = concordance.attestation(row);
        appendNumber(attestation + 1, into);
        into += u'\t';
        if (withTexts) {
            into += concordance.corpus().textName(concordance.textOf(attestation));
            into += u'\t';
        }
        concordance.appendLine(attestation, words, into);
    }, device);
}

} // namespace lexalon
