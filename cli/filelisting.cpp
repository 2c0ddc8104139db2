// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/filelisting.h"

#include "formats/readproblem.h"
#include "formats/wordlistreading.h"
#include "platform/files/regularfile.h"
#include "platform/system/parallelfor.h"
#include "text/textfile.h"
#include "text/encoding/windows1252.h"
#include "wordforms/analysis.h"
#include "wordforms/tokenlist.h"

#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

// Readers of a Windows-1252 text's bytes, one a thread, each through a file
// of its own. The first failure is the one reported.
class ByteReaders
{
public:
    explicit ByteReaders(const QString &path)
        : m_path(path)
    {
    }

    ReadBytes open()
    {
        auto file = std::make_shared<RegularFile>(m_path);
        if (!file->openForReading()) {
            fail(file->errorString());
            return [](qint64, unsigned char *, size_t) { return false; };
        }
        return [this, file](qint64 offset, unsigned char *into, size_t length) {
            bool ok = file->seek(offset);
            for (qint64 done = 0; ok && done < qint64(length);) {
                const qint64 got = file->read(reinterpret_cast<char *>(into) + done, qint64(length) - done);
                ok = got > 0;
                done += got;
            }
            if (!ok)
                fail(file->error() != QFileDevice::NoError ? file->errorString() + u'.'
                                                           : u"Le fichier est plus court que sa taille annoncée."_s);
            return ok;
        };
    }

    QString problem() const { return u"impossible de lire %1 : %2"_s.arg(quoted(m_path), m_failure); }

private:
    void fail(const QString &reason)
    {
        const std::lock_guard lock(m_mutex);
        if (m_failure.isEmpty())
            m_failure = reason;
    }

    const QString m_path;
    std::mutex m_mutex;
    QString m_failure;
};

QString listWindows1252File(const QString &path, qint64 size, WordList &list)
{
    ByteReaders readers(path);
    if (!analyseBytes(size, [&readers] { return readers.open(); }, windows1252Characters(), list))
        return readers.problem();
    return {};
}

// Counts the forms of a text file into the token list, or says why not.
QString countTextFile(const QString &path, TokenList &tokens)
{
    const TextSource source = readTextSource(path);
    if (!source.content.ok())
        return readProblem(path, source.content);
    if (source.windows1252Bytes == 0) {
        tokens.appendFormsOf(source.content.text);
        return {};
    }
    ByteReaders readers(path);
    if (!countByteForms(tokens, readers.open(), 0, source.windows1252Bytes, windows1252Characters()))
        return readers.problem();
    return {};
}

QString notEnoughMemoryFor(const QString &path)
{
    return u"mémoire insuffisante : la liste de %1 ne peut pas être établie."_s.arg(quoted(path));
}

size_t workersFor(qsizetype files)
{
    return size_t(std::min<qsizetype>(std::max(1u, std::thread::hardware_concurrency()), files));
}

// Does the work for each file, on as many threads as the machine has cores:
// `work` is given the file's index and the number of the thread.
void forEachFile(const QStringList &paths, FilesProgress &progress, const std::function<void()> &whileWaiting,
                 const std::function<void(qsizetype, size_t)> &work)
{
    progress.files = paths.size();
    for (const QString &path : paths)
        progress.bytes += QFileInfo(path).size();
    parallelFor(
        size_t(paths.size()), workersFor(paths.size()),
        [&](size_t index, size_t worker) {
            work(qsizetype(index), worker);
            progress.bytesDone += QFileInfo(paths.at(qsizetype(index))).size();
            ++progress.filesDone;
        },
        whileWaiting);
}

struct FileListing
{
    WordList list;
    QString problem; // in French, naming the file; empty when listed
};

FileListing listFile(const QString &path, bool savedList)
{
    FileListing listing;
    try {
        listing.problem = savedList ? readSavedList(path, listing.list) : listTextFile(path, listing.list);
    } catch (const std::bad_alloc &) {
        listing.list = WordList();
        listing.problem = notEnoughMemoryFor(path);
    }
    return listing;
}

} // namespace

// A Windows-1252 text's tokens are read from its bytes: the text is never
// held.
QString analyseTextFile(const QString &path, TextAnalysis &analysis)
{
    TokenList tokens;
    {
        const TextSource source = readTextSource(path);
        if (!source.content.ok())
            return readProblem(path, source.content);
        if (source.windows1252Bytes == 0) {
            analysis = analyseTextWithTokens(source.content.text);
            return {};
        }
        ByteReaders readers(path);
        if (!collectByteForms(source.windows1252Bytes, [&readers] { return readers.open(); }, windows1252Characters(), tokens))
            return readers.problem();
    }
    analysis = analyseTokens(tokens);
    return {};
}

// The text is given back once its forms are read, and the token list once
// the word list is built.
QString listTextFile(const QString &path, WordList &list)
{
    TokenList tokens;
    {
        const TextSource source = readTextSource(path);
        if (!source.content.ok())
            return readProblem(path, source.content);
        if (source.windows1252Bytes != 0)
            return listWindows1252File(path, source.windows1252Bytes, list);
        collectForms(source.content.text, tokens);
    }
    list = listForms(tokens);
    return {};
}

QString readSavedList(const QString &path, WordList &list)
{
    SavedWordList saved = readWordListFile(path);
    list = std::move(saved.list);
    return saved.problem.isEmpty() ? QString() : u"impossible de lire la liste %1 : %2"_s.arg(quoted(path), saved.problem);
}

QStringList listFiles(const QStringList &paths, bool savedLists, FilesProgress &progress,
                      const std::function<void()> &whileWaiting,
                      const std::function<void(qsizetype, WordList &&)> &listed)
{
    QStringList problems(paths.size());
    std::atomic<bool> outOfMemory = false;
    forEachFile(paths, progress, whileWaiting, [&](qsizetype index, size_t) {
        FileListing listing = listFile(paths.at(index), savedLists);
        problems[index] = listing.problem;
        if (!listing.problem.isEmpty() || outOfMemory)
            return;
        try {
            listed(index, std::move(listing.list));
        } catch (const std::bad_alloc &) {
            outOfMemory = true;
        }
    });
    // What the lists were handed to is left half-grown.
    if (outOfMemory)
        throw std::bad_alloc();
    return problems;
}

QStringList listTextsTogether(const QStringList &paths, FilesProgress &progress,
                              const std::function<void()> &whileWaiting, WordList &list)
{
    std::vector<TokenList> tokens(workersFor(paths.size()));
    for (TokenList &counted : tokens)
        counted.countOnly();
    QStringList problems(paths.size());
    // Memory running out stops the files not yet begun and is thrown once
    // all have stopped: a token list left half-grown is never added up.
    forEachFile(paths, progress, whileWaiting, [&](qsizetype index, size_t worker) {
        problems[index] = countTextFile(paths.at(index), tokens[worker]);
    });
    for (size_t worker = 1; worker < tokens.size(); ++worker)
        tokens[0].addCounts(std::move(tokens[worker]));
    list = listForms(tokens[0]);
    return problems;
}

} // namespace lexalon
