// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include <sys/resource.h>
#include <unistd.h>

// AddressSanitizer reserves terabytes of address space: no limit can be tested there.
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

// Runs a program in an address space of `limit` bytes. Small thread stacks and
// one malloc arena make the limit bound the memory it holds, not what it sets
// aside. One short of memory may hang (Qt does when a thread cannot start): it
// is killed at 30 s.
inline ChildOutcome runWithAddressLimit(const QStringList &arguments, rlim_t limit)
{
    QProcess child;
    child.setEnvironment(QProcess::systemEnvironment() << QStringLiteral("MALLOC_ARENA_MAX=1"));
    child.setChildProcessModifier([limit] {
        const rlimit stacks{rlim_t(1) << 20, rlim_t(1) << 20}, space{limit, limit};
        if (setrlimit(RLIMIT_STACK, &stacks) != 0 || setrlimit(RLIMIT_AS, &space) != 0)
            _exit(125);
    });
    child.start(arguments.value(0), arguments.mid(1));
    if (!child.waitForFinished(30'000)) {
        child.kill();
        child.waitForFinished();
        return {};
    }
    return {child.exitStatus() == QProcess::NormalExit, child.exitCode(), child.readAllStandardOutput(),
            child.readAllStandardError()};
}

// The smallest address space, to a megabyte, in which the program succeeds.
inline rlim_t smallestAddressSpace(const QStringList &arguments)
{
    rlim_t fails = 0, runs = rlim_t(8) << 30;
    while (runs - fails > (rlim_t(1) << 20)) {
        const rlim_t middle = fails + (runs - fails) / 2;
        const ChildOutcome outcome = runWithAddressLimit(arguments, middle);
        (outcome.exited && outcome.status == 0 ? runs : fails) = middle;
    }
    return runs;
}

} // namespace lexalon::testing
