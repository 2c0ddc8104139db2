// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/corpusopening.h"

#include "commands/opencommand.h"
#include "platform/interaction/taskprogress.h"
#include "platform/system/parallelfor.h"
#include "text/textfile.h"
#include "wordforms/corpus.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <functional>
#include <new>
#include <optional>
#include <thread>
#include <utility>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

// One file's way: its bytes read, then its characters analysed, each with a
// progress of its own, counted as its size each.
struct Opening
{
    qint64 size = 0;
    TaskProgress reading;
    TaskProgress analysing;
    std::unique_ptr<TextStudy> study;
    QString title; // a document's own
    std::optional<MessageRequest> problem;

    qint64 done() const
    {
        const qint64 analysed = analysing.total() > 0 ? analysing.done() * size / analysing.total() : 0;
        return std::min(reading.done(), size) + analysed;
    }

    void open(const QString &path)
    {
        TextFileContent content = readTextFile(path, &reading);
        if (content.status == TextFileContent::Status::Cancelled)
            throw TaskCancelled();
        problem = readFailureMessage(path, content);
        if (problem)
            return;
        title = content.title;
        try {
            study = std::make_unique<TextStudy>(std::move(content.text), &analysing);
        } catch (const std::bad_alloc &) {
            problem = notEnoughMemoryMessage(path);
        }
    }
};

} // namespace

QStringList corpusFilesIn(const QString &folder)
{
    QStringList paths;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files, QDir::NoSort);
    for (const QFileInfo &file : files) {
        if (file.suffix().compare(u"txt"_s, Qt::CaseInsensitive) == 0)
            paths.append(file.filePath());
    }
    QCollator collator{QLocale(QLocale::French, QLocale::France)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Names the collator calls equal keep one order all the same.
    std::sort(paths.begin(), paths.end(), [&collator](const QString &a, const QString &b) {
        const int order = collator.compare(QFileInfo(a).fileName(), QFileInfo(b).fileName());
        return order != 0 ? order < 0 : a < b;
    });
    return paths;
}

// The calling thread adds the files' progresses up and passes a cancel on.
CorpusOpened openCorpus(const QStringList &paths, TaskProgress *progress)
{
    std::vector<Opening> openings(size_t(paths.size()));
    qint64 total = 0;
    for (qsizetype index = 0; index < paths.size(); ++index) {
        openings[size_t(index)].size = std::max<qint64>(1, QFileInfo(paths.at(index)).size());
        total += 2 * openings[size_t(index)].size;
    }
    std::function<void()> follow;
    if (progress) {
        progress->setTotal(total);
        progress->advance(0);
        follow = [&] {
            advanceByParts(*progress, openings, [](const Opening &opening) { return opening.done(); },
                           [](Opening &opening) {
                               opening.reading.cancel();
                               opening.analysing.cancel();
                           });
        };
    }
    const size_t workers = std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), openings.size());
    parallelFor(openings.size(), std::max<size_t>(workers, 1),
                [&](size_t index, size_t) { openings[index].open(paths.at(qsizetype(index))); }, follow);

    CorpusOpened opened;
    std::vector<Corpus::Text> texts;
    for (qsizetype index = 0; index < paths.size(); ++index) {
        Opening &opening = openings[size_t(index)];
        if (opening.problem)
            opened.problems.push_back(*opening.problem);
        else
            texts.push_back({opening.title.isEmpty() ? QFileInfo(paths.at(index)).fileName() : opening.title,
                             std::move(opening.study)});
    }
    if (!texts.empty())
        opened.corpus = std::make_unique<Corpus>(std::move(texts));
    return opened;
}

} // namespace lexalon
