// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <vector>

namespace lexalon {

// The program's command line, `lexalon [OPTIONS DE QT] [--corpus] [FICHIER...]
// [-- FICHIER...]`: before "--", the toolkit's options (-style, -reverse...)
// and files; after it, files only, which the toolkit never sees. With
// --corpus first, the files (or a folder) open as one corpus.
class ProgramCommandLine
{
public:
    // The arguments must outlive the object, as QApplication's must.
    ProgramCommandLine(int argc, char **argv);

    // What QApplication is given: what comes before "--". It takes its own
    // options out.
    int &toolkitCount() { return m_toolkitCount; }
    char **toolkitArguments() { return m_toolkit.data(); }

    // What the toolkit left, then all after "--", named by the system's bytes
    // so that any existing file can be named.
    QStringList files() const;
    // Whether --corpus comes first of what the toolkit left.
    bool opensCorpus() const;

private:
    std::vector<char *> m_toolkit; // the program's name first, a null last
    int m_toolkitCount = 0;
    std::vector<char *> m_afterOptions;
};

} // namespace lexalon
