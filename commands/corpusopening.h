// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/interaction/messagebox.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace lexalon {

class Corpus;
class TaskProgress;

// Every `.txt` file of a folder (the suffix in any case), in the French order
// of their names, case ignored.
QStringList corpusFilesIn(const QString &folder);

// The texts that opened, each named by its file's name without its folder,
// in the order of the paths; null when none did. A file that cannot be read
// has the open command's message naming it, in the same order.
struct CorpusOpened
{
    std::unique_ptr<Corpus> corpus;
    std::vector<MessageRequest> problems;
};

// Reads and analyses the files on the machine's cores, with one progress for
// all; throws TaskCancelled when asked to stop, and nothing is kept.
CorpusOpened openCorpus(const QStringList &paths, TaskProgress *progress);

} // namespace lexalon
