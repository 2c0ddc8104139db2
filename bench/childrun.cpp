// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/childrun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

using namespace Qt::StringLiterals;

namespace lexalon::bench {

namespace {

constexpr double kilobyte = 1024.0;

} // namespace

ChildRun runChild(const std::vector<std::string> &command)
{
    static const QTemporaryDir reports;
    const std::string report = QDir(reports.path()).filePath(u"time.txt"_s).toStdString();
    std::vector<std::string> arguments{"/usr/bin/time", "-f", "%M", "-o", report};
    arguments.insert(arguments.end(), command.begin(), command.end());
    std::vector<char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    ChildRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid)
        return run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    QFile file(QString::fromStdString(report));
    if (!file.open(QIODevice::ReadOnly))
        return run;
    run.peakBytes = file.readAll().trimmed().toDouble() * kilobyte;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

} // namespace lexalon::bench
