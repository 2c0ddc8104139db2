#pragma once

#include "wordforms/wordlist.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <atomic>
#include <functional>
#include <vector>

namespace lexalon {

struct TextFileContent;

// The name of a file in a message: « name ».
QString quoted(const QString &path);
// Why a text file could not be read, naming it.
QString readProblem(const QString &path, const TextFileContent &content);

// The word list of a text file, or why there is none. Throws std::bad_alloc.
QString listTextFile(const QString &path, WordList &list);

// How far the listing of several files has come; safe across threads.
struct FilesProgress
{
    qint64 files = 0;
    qint64 bytes = 0;
    std::atomic<qint64> filesDone = 0;
    std::atomic<qint64> bytesDone = 0;
};

struct FileListing
{
    WordList list;
    QString problem; // in French, naming the file; empty when listed
};

// The word list of text files together, as if they were put end to end with
// a separator between them: their forms are counted on as many threads as
// the machine has cores, each thread into a token list of its own. Why each
// file could not be counted, or nothing; the others are listed. Throws
// std::bad_alloc when memory runs out for any.
QStringList listTextsTogether(const QStringList &paths, FilesProgress &progress,
                              const std::function<void()> &whileWaiting, WordList &list);

// The word list of each file, in the files' order: each text (or saved list,
// when `savedLists`) is read on one of as many threads as the machine has
// cores. The calling thread waits, calling `whileWaiting` some times a second.
std::vector<FileListing> listFiles(const QStringList &paths, bool savedLists, FilesProgress &progress,
                                   const std::function<void()> &whileWaiting);

} // namespace lexalon
