#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

// AddressSanitizer reserves terabytes of address space: a limit on it cannot
// be tested there.
#if defined(__SANITIZE_ADDRESS__)
#define LEXALON_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LEXALON_ADDRESS_SANITIZER 1
#endif
#endif

namespace lexalon::testing {

struct ChildOutcome
{
    bool exited = false; // false when a signal ended it
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs a program whose address space is limited to `limit` bytes, with
// `environment` ("NAME=value") added to the test's own. Its threads get small
// stacks and malloc one arena, so that the limit bounds the memory it holds,
// not what it sets aside.
inline ChildOutcome runWithAddressLimit(const QStringList &arguments, rlim_t limit,
                                        const QStringList &environment = {})
{
    QTemporaryDir folder;
    const QString outPath = QDir(folder.path()).filePath(QStringLiteral("out"));
    const QString errPath = QDir(folder.path()).filePath(QStringLiteral("err"));
    std::vector<std::string> strings;
    for (const QString &argument : arguments)
        strings.push_back(argument.toStdString());
    std::vector<char *> argv;
    for (std::string &s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    std::vector<std::string> variables;
    for (const QString &variable : environment)
        variables.push_back(variable.toStdString());
    std::vector<char *> envp;
    for (char **variable = environ; *variable; ++variable)
        envp.push_back(*variable);
    for (std::string &variable : variables)
        envp.push_back(variable.data());
    std::string oneArena = "MALLOC_ARENA_MAX=1";
    envp.push_back(oneArena.data());
    envp.push_back(nullptr);
    const std::string out = outPath.toStdString();
    const std::string err = errPath.toStdString();

    ChildOutcome outcome;
    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit limits{limit, limit};
        constexpr rlim_t stack = rlim_t(1) << 20;
        const rlimit stacks{stack, stack};
        const int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (outFd < 0 || errFd < 0 || dup2(outFd, 1) < 0 || dup2(errFd, 2) < 0
            || setrlimit(RLIMIT_STACK, &stacks) != 0 || setrlimit(RLIMIT_AS, &limits) != 0)
            _exit(125);
        execve(argv[0], argv.data(), envp.data());
        _exit(126);
    }
    // A program short of memory may also hang, as Qt does when a thread
    // cannot start: that counts as a failure, not a reason to wait forever.
    constexpr int waitSteps = 3000;
    int status = 0;
    pid_t waited = 0;
    for (int step = 0; pid > 0 && waited == 0 && step < waitSteps; ++step) {
        waited = waitpid(pid, &status, WNOHANG);
        if (waited == 0)
            usleep(10'000);
    }
    if (waited == 0 && pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return outcome;
    }
    if (waited != pid)
        return outcome;
    outcome.exited = WIFEXITED(status);
    outcome.status = outcome.exited ? WEXITSTATUS(status) : -WTERMSIG(status);
    QFile outFile(outPath);
    QFile errFile(errPath);
    if (outFile.open(QIODevice::ReadOnly))
        outcome.out = outFile.readAll();
    if (errFile.open(QIODevice::ReadOnly))
        outcome.err = errFile.readAll();
    return outcome;
}

// The smallest address space, to a megabyte, in which the program runs to
// a successful end: what it needs to start and do a small task.
inline rlim_t smallestAddressSpace(const QStringList &arguments, const QStringList &environment = {})
{
    constexpr rlim_t megabyte = rlim_t(1) << 20;
    rlim_t fails = 0;
    rlim_t runs = rlim_t(8) << 30;
    while (runs - fails > megabyte) {
        const rlim_t middle = fails + (runs - fails) / 2;
        const ChildOutcome outcome = runWithAddressLimit(arguments, middle, environment);
        (outcome.exited && outcome.status == 0 ? runs : fails) = middle;
    }
    return runs;
}

} // namespace lexalon::testing
