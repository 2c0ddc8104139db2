#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include <sys/resource.h>
#include <unistd.h>

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
    bool exited = false; // false when a signal ended it, or it did not run
    int status = -1;
    QByteArray out, err;
};

// Runs a program whose address space is limited to `limit` bytes, with
// `environment` ("NAME=value") added. Small thread stacks and one malloc arena
// make the limit bound the memory it holds, not what it sets aside. One short
// of memory may hang (Qt does when a thread cannot start): it is killed at 30 s.
inline ChildOutcome runWithAddressLimit(const QStringList &arguments, rlim_t limit,
                                        const QStringList &environment = {})
{
    QProcess child;
    child.setProgram(arguments.value(0));
    child.setArguments(arguments.mid(1));
    child.setEnvironment(QProcess::systemEnvironment() + environment + QStringList{QStringLiteral("MALLOC_ARENA_MAX=1")});
    child.setChildProcessModifier([limit] {
        const rlimit stacks{rlim_t(1) << 20, rlim_t(1) << 20};
        const rlimit limits{limit, limit};
        if (setrlimit(RLIMIT_STACK, &stacks) != 0 || setrlimit(RLIMIT_AS, &limits) != 0)
            _exit(125);
    });
    child.start();
    if (!child.waitForFinished(30'000)) {
        child.kill();
        child.waitForFinished();
        return {};
    }
    return {child.exitStatus() == QProcess::NormalExit, child.exitCode(), child.readAllStandardOutput(),
            child.readAllStandardError()};
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
