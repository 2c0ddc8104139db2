// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/stoplistfile.h"
#include "wordforms/stoplist.h"

#include "tests/support/testfiles.h"

#include <QByteArray>
#include <QString>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lexalon;
using namespace Qt::StringLiterals;

// « ÉTÉ », then « l'an », in each encoding a text is read in.
TEST(StopListFile, ReadsEachEncodingOfTextsOrNamesTheFile)
{
    const QString lines = u"ÉTÉ\r\nl'an\r\n"_s;
    const QByteArray encoded[] = {"\xC9T\xC9\r\nl'an\r\n", "\xEF\xBB\xBF" + lines.toUtf8(), lines.toUtf8(),
                                  "\xFF\xFE" + QStringEncoder(QStringConverter::Utf16LE).encode(lines),
                                  "\xFE\xFF" + QStringEncoder(QStringConverter::Utf16BE).encode(lines)};
    const QTemporaryDir dir;
    const QString path = dir.filePath(u"mots.txt"_s);
    for (const QByteArray &bytes : encoded) {
        ASSERT_TRUE(lexalon::testing::writeBytes(path, bytes));
        StopList list;
        EXPECT_EQ(readStopList(path, list), QString());
        EXPECT_EQ(list.size(), 3);
        EXPECT_TRUE(list.contains(u"été") && list.contains(u"l") && list.contains(u"an")) << bytes.toHex().toStdString();
    }
    StopList kept = StopList::fromLines(u"le");
    EXPECT_TRUE(readStopList(dir.filePath(u"absent.txt"_s), kept).startsWith(u"impossible d'ouvrir « %1 » : "_s.arg(dir.filePath(u"absent.txt"_s))));
    EXPECT_TRUE(kept.contains(u"le"));
}
