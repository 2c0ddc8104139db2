#include "platform/systemservices.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

TEST(QtFileProbe, CountsOnlyOrdinaryFiles)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const QString &name : {u"MSINFO32.EXE"_s, u".cache"_s}) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QDir(folder.path()).mkdir(u"Outils"_s));

    const QtFileProbe probe;
    EXPECT_TRUE(probe.isOrdinaryFile(folder.filePath(u"MSINFO32.EXE"_s)));
    EXPECT_FALSE(probe.isOrdinaryFile(folder.filePath(u".cache"_s)));
    EXPECT_FALSE(probe.isOrdinaryFile(folder.filePath(u"Outils"_s)));
    EXPECT_FALSE(probe.isOrdinaryFile(folder.filePath(u"absent.exe"_s)));
}

TEST(QtProcessStarter, ReportsWhetherTheProgramStarted)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QtProcessStarter starter;
    EXPECT_FALSE(starter.startDetached(QString()));
    EXPECT_FALSE(starter.startDetached(folder.path()));
    EXPECT_FALSE(starter.startDetached(folder.filePath(u"absent"_s)));
    const QString program = QStandardPaths::findExecutable(u"true"_s);
    ASSERT_FALSE(program.isEmpty());
    EXPECT_TRUE(starter.startDetached(program));
}

} // namespace
} // namespace lexalon
