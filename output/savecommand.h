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

// The same for any file: `write` is given the path chosen, to pick a format
// by its suffix, and the device to write to.
bool saveFile(const QString &filter, const std::function<bool(const QString &, QIODevice &)> &write,
              FileDialogs &dialogs, MessageBox &messages, BusyPointer &pointer);

// The same for a concordance, its lines `words` words wide.
bool saveConcordance(const Concordance &concordance, int words, FileDialogs &dialogs, MessageBox &messages,
                     BusyPointer &pointer);

} // namespace lexalon
