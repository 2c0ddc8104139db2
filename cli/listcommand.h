// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QIODevice;

namespace lexalon {

// Exit statuses of lexalon-liste.
inline constexpr int listSucceeded = 0;
inline constexpr int listFailed = 2; // bad usage, unreadable text, unwritable list

// lexalon-liste FICHIER... [--frequences] [-o SORTIE]: writes the word list of
// text files, in the bytes that saving the list in the program writes, to
// `out` or to SORTIE. Messages go to `err`, and a progress line too when it is
// a terminal. The arguments exclude the program's name.
int runListCommand(const QStringList &arguments, QIODevice &out, QIODevice &err, bool errIsTerminal = false);

} // namespace lexalon
