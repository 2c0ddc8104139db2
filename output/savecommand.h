#pragma once

namespace lexalon {

class BusyPointer;
class FileDialogs;
class MessageBox;
class WordGrid;

// "Enregistrer sous": asks for a path, asks before replacing a file, writes
// the word list whole, and tells the user the outcome. Cancel and a refusal
// to replace end silently; a failure leaves an existing file as it was.
// Leaves the current cell of the grid on its last row, column 1, once the
// rows have been read.
void saveWordList(WordGrid &grille01, FileDialogs &dialogs, MessageBox &messages,
                  BusyPointer &pointer);

} // namespace lexalon
