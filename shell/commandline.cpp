// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/commandline.h"

#include "platform/files/nativepath.h"

#include <algorithm>
#include <cstring>

namespace lexalon {

ProgramCommandLine::ProgramCommandLine(int argc, char **argv)
{
    char **end = argv + argc;
    char **optionsEnd = std::find_if(argv + std::min(argc, 1), end, [](const char *argument) {
        return std::strcmp(argument, "--") == 0;
    });
    m_toolkit.assign(argv, optionsEnd);
    m_toolkitCount = int(m_toolkit.size());
    m_toolkit.push_back(nullptr);
    if (optionsEnd != end)
        m_afterOptions.assign(optionsEnd + 1, end);
}

bool ProgramCommandLine::opensCorpus() const
{
    return m_toolkitCount > 1 && std::strcmp(m_toolkit[1], "--corpus") == 0;
}

QStringList ProgramCommandLine::files() const
{
    QStringList files;
    for (int i = opensCorpus() ? 2 : 1; i < m_toolkitCount; ++i)
        files.append(pathFromNative(m_toolkit[size_t(i)]));
    for (const char *argument : m_afterOptions)
        files.append(pathFromNative(argument));
    return files;
}

} // namespace lexalon
