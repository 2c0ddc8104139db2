// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;

namespace lexalon {

// Starts a program as a process of its own, never waiting for it.
class ProcessStarter
{
public:
    virtual ~ProcessStarter() = default;
    // False when the program could not be started.
    virtual bool startDetached(const QString &program) = 0;
};

} // namespace lexalon
