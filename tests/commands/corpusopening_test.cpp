// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/corpusopening.h"

#include "platform/interaction/taskprogress.h"
#include "tests/support/testfiles.h"
#include "wordforms/corpus.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lexalon;
using namespace Qt::StringLiterals;

// French order, case ignored: « écume » between « e » and « f »; other
// suffixes and folders left out.
TEST(CorpusOpening, FindsTheFolderTextsInFrenchOrder)
{
    const QTemporaryDir dir;
    for (const QString &name : {u"f.txt"_s, u"écume.TXT"_s, u"E.txt"_s, u"b.txt"_s, u"a.md"_s})
        ASSERT_TRUE(lexalon::testing::writeBytes(dir.filePath(name), "mot"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"c.txt"_s));
    QStringList names;
    for (const QString &path : corpusFilesIn(dir.path()))
        names.append(path.mid(dir.path().size() + 1));
    EXPECT_EQ(names, (QStringList{u"b.txt"_s, u"E.txt"_s, u"écume.TXT"_s, u"f.txt"_s}));
}

// A file that cannot be read is reported as the Open command reports it, and
// the others open; none opening is no corpus; a cancel keeps nothing.
TEST(CorpusOpening, OpensTheReadableTextsAndReportsTheOthers)
{
    const QTemporaryDir dir;
    const QString first = dir.filePath(u"un.txt"_s), missing = dir.filePath(u"absent.txt"_s), last = dir.filePath(u"deux.txt"_s);
    ASSERT_TRUE(lexalon::testing::writeBytes(first, "le chat"));
    ASSERT_TRUE(lexalon::testing::writeBytes(last, "le chien"));
    TaskProgress progress;
    const CorpusOpened opened = openCorpus({first, missing, last}, &progress);
    ASSERT_TRUE(opened.corpus);
    EXPECT_EQ(opened.corpus->textCount(), 2);
    EXPECT_EQ(opened.corpus->textName(1), u"deux.txt"_s);
    EXPECT_EQ(opened.corpus->list().size(), 3);
    ASSERT_EQ(opened.problems.size(), 1u);
    EXPECT_TRUE(opened.problems[0].prompt.startsWith(u"Le fichier « %1 » ne peut pas être ouvert."_s.arg(missing)));
    EXPECT_FALSE(openCorpus({missing}, nullptr).corpus);
    progress.cancel();
    EXPECT_THROW(openCorpus({first, last}, &progress), TaskCancelled);
}
