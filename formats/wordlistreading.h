// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/wordlist.h"

#include <QByteArrayView>
#include <QString>

namespace lexalon {

// A saved word list read back, in alphabetical order whatever its order in
// the file, with its columns of texts when it has some; or why not.
struct SavedWordList
{
    WordList list;
    QString problem; // in French, empty when the list was read
};

// The bytes of a list as writeWordList writes them; a last line end may be
// missing.
SavedWordList parseWordList(QByteArrayView bytes);
// A regular file's list; the problem then names nothing but the content.
SavedWordList readWordListFile(const QString &path);

} // namespace lexalon
