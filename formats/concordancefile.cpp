// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/concordancefile.h"

#include "text/textfile.h"
#include "wordforms/concordance.h"

#include <QIODevice>

namespace lexalon {

namespace {

constexpr qsizetype pieceSize = qsizetype(1) << 16;

} // namespace

// Written a piece at a time: a concordance of a million lines is never held
// whole as bytes.
bool writeConcordance(const Concordance &concordance, int words, QIODevice &device)
{
    QByteArray piece = utf8ByteOrderMark.toByteArray();
    for (const QStringView column : concordanceColumns) {
        if (column.data() != concordanceColumns[0].data())
            piece += '\t';
        piece += column.toUtf8();
    }
    piece += "\r\n";
    for (qsizetype row = 0; row < concordance.size(); ++row) {
        const qsizetype attestation = concordance.attestation(row);
        const ConcordanceLine line = concordance.line(attestation, words);
        piece += QByteArray::number(attestation + 1);
        piece += '\t';
        piece += line.left.toUtf8();
        piece += '\t';
        piece += line.form.toUtf8();
        piece += '\t';
        piece += line.right.toUtf8();
        piece += "\r\n";
        if (piece.size() >= pieceSize) {
            if (device.write(piece) != piece.size())
                return false;
            piece.clear();
        }
    }
    return device.write(piece) == piece.size();
}

} // namespace lexalon
