// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QIODevice;

namespace lexalon {

class BusyPointer;
class Concordance;
class FileDialogs;
class MessageBox;
class WordList;

// "Enregistrer sous": asks for a path, asks before replacing a file, writes
// the word list whole, and tells the user the outcome. Cancel and a refusal
// to replace end silently; a failure leaves an existing file as it was. True
// when the list was written out, or failed to be.
bool saveWordList(const WordList &list, FileDialogs &dialogs, MessageBox &messages,
                  BusyPointer &pointer);

// The same for any file: `write` is given the type chosen in the filter's
// "Description|pattern" pairs, from 0, which decides the format, and the
// device to write to.
bool saveFile(const QString &filter, const std::function<bool(int, QIODevice &)> &write, FileDialogs &dialogs,
              MessageBox &messages, BusyPointer &pointer);

// The same for a concordance, its lines `words` words wide.
bool saveConcordance(const Concordance &concordance, int words, FileDialogs &dialogs, MessageBox &messages,
                     BusyPointer &pointer);

} // namespace lexalon
