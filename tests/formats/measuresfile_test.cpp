// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/measuresfile.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace lexalon;
using namespace Qt::StringLiterals;

TEST(MeasuresFile, HeadingThenNameTabValueCrLfInWindows1252)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writeMeasures({{u"Nombre de formes différentes"_s, u"12"_s, u"ignorée"_s}, {u"Rapport standardisé"_s, u"—"_s, {}}}, buffer));
    EXPECT_EQ(buffer.data(), QByteArray("Mesure\tValeur\r\nNombre de formes diff\xE9rentes\t12\r\nRapport standardis\xE9\t\x97\r\n"));
}

// A device that takes nothing: the failure is seen at the end, or at the
// piece that fills up first.
TEST(MeasuresFile, AFailedWriteIsReported)
{
    for (const qsizetype valueLength : {qsizetype(2), qsizetype(100'000)}) {
        QBuffer buffer;
        buffer.open(QIODevice::ReadOnly);
        EXPECT_FALSE(writeMeasures({{u"Hapax"_s, QString(valueLength, u'9'), {}}}, buffer)) << valueLength;
    }
}
