// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wordforms/wordlist.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <atomic>
#include <functional>

namespace lexalon {

struct TextAnalysis;

// The word list of a text file, or why there is none. Throws std::bad_alloc.
QString listTextFile(const QString &path, WordList &list);

// A list saved by the program, or why it cannot be read, naming the file.
// Throws std::bad_alloc.
QString readSavedList(const QString &path, WordList &list);

// The word list of a text file and its tokens in text order, or why not.
// Throws std::bad_alloc.
QString analyseTextFile(const QString &path, TextAnalysis &analysis);

// How far the listing of several files has come; safe across threads.
struct FilesProgress
{
    qint64 files = 0;
    qint64 bytes = 0;
    std::atomic<qint64> filesDone = 0;
    std::atomic<qint64> bytesDone = 0;
};

// The word list of text files together, as if they were put end to end with
// a separator between them: their forms are counted on as many threads as
// the machine has cores, each thread into a token list of its own. Why each
// file could not be counted, or nothing; the others are listed. Throws
// std::bad_alloc when memory runs out for any.
QStringList listTextsTogether(const QStringList &paths, FilesProgress &progress,
                              const std::function<void()> &whileWaiting, WordList &list);

// The word list of each file, handed to `listed` with the file's index on the
// thread that made it, as soon as it is made, so that no list waits for the
// others: each text (or saved list, when `savedLists`) is read on one of as
// many threads as the machine has cores. Why each file could not be listed,
// or nothing. The calling thread waits, calling `whileWaiting` some times a
// second. Throws std::bad_alloc when `listed` runs out of memory.
QStringList listFiles(const QStringList &paths, bool savedLists, FilesProgress &progress,
                      const std::function<void()> &whileWaiting,
                      const std::function<void(qsizetype, WordList &&)> &listed);

} // namespace lexalon
