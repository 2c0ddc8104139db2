#include "output/filelisting.h"

#include "document/textfile.h"
#include "output/wordlistreading.h"
#include "platform/regularfile.h"
#include "wordforms/analysis.h"
#include "wordforms/tokenlist.h"

#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

constexpr std::chrono::milliseconds waitingStep(200);

// A Windows-1252 text is read by each thread that counts a part of it,
// through a file of its own. The first failure is the one reported.
QString listWindows1252File(const QString &path, qint64 size, WordList &list)
{
    std::mutex mutex;
    QString failure;
    const auto open = [&]() -> ReadBytes {
        auto file = std::make_shared<RegularFile>(path);
        if (!file->openForReading()) {
            const std::lock_guard lock(mutex);
            failure = file->errorString();
            return [](qint64, unsigned char *, size_t) { return false; };
        }
        return [&, file](qint64 offset, unsigned char *into, size_t length) {
            bool ok = file->seek(offset);
            for (qint64 done = 0; ok && done < qint64(length);) {
                const qint64 got = file->read(reinterpret_cast<char *>(into) + done, qint64(length) - done);
                ok = got > 0;
                done += got;
            }
            if (ok)
                return true;
            const std::lock_guard lock(mutex);
            if (failure.isEmpty())
                failure = file->error() != QFileDevice::NoError ? file->errorString() + u'.'
                                                                : u"Le fichier est plus court que sa taille annoncée."_s;
            return false;
        };
    };
    if (!analyseBytes(size, open, windows1252Characters(), list))
        return u"impossible de lire %1 : %2"_s.arg(quoted(path), failure);
    return {};
}

FileListing listFile(const QString &path, bool savedList)
{
    FileListing listing;
    try {
        if (savedList) {
            SavedWordList saved = readWordListFile(path);
            if (!saved.problem.isEmpty())
                listing.problem = u"impossible de lire la liste %1 : %2"_s.arg(quoted(path), saved.problem);
            listing.list = std::move(saved.list);
        } else {
            listing.problem = listTextFile(path, listing.list);
        }
    } catch (const std::bad_alloc &) {
        listing.list = WordList();
        listing.problem = u"mémoire insuffisante : la liste de %1 ne peut pas être établie."_s.arg(quoted(path));
    }
    return listing;
}

} // namespace

QString quoted(const QString &path)
{
    return u"« "_s + path + u" »"_s;
}

QString readProblem(const QString &path, const TextFileContent &content)
{
    switch (content.status) {
    case TextFileContent::Status::OpenFailed:
        return u"impossible d'ouvrir %1 : %2"_s.arg(quoted(path), content.errorString);
    case TextFileContent::Status::TooLarge:
        return u"mémoire insuffisante : le texte %1 ne peut pas être lu."_s.arg(quoted(path));
    case TextFileContent::Status::ReadFailed:
    case TextFileContent::Status::Cancelled: // never asked for here
    case TextFileContent::Status::Ok:
        break;
    }
    return u"impossible de lire %1 : %2"_s.arg(quoted(path), content.errorString);
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

std::vector<FileListing> listFiles(const QStringList &paths, bool savedLists, FilesProgress &progress,
                                   const std::function<void()> &whileWaiting)
{
    std::vector<FileListing> listings(size_t(paths.size()));
    progress.files = paths.size();
    for (const QString &path : paths)
        progress.bytes += QFileInfo(path).size();

    std::atomic<qsizetype> next = 0;
    std::mutex mutex;
    std::condition_variable finished;
    const auto work = [&] {
        for (qsizetype index = next++; index < paths.size(); index = next++) {
            listings[size_t(index)] = listFile(paths.at(index), savedLists);
            progress.bytesDone += QFileInfo(paths.at(index)).size();
            const std::lock_guard lock(mutex);
            ++progress.filesDone;
            finished.notify_one();
        }
    };
    const auto cores = qsizetype(std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::thread> threads;
    try {
        while (qsizetype(threads.size()) < std::min(cores, paths.size()))
            threads.emplace_back(work);
    } catch (const std::system_error &) {
        // Fewer threads than cores, or none: the calling thread works too.
    }
    if (threads.empty())
        work();
    {
        std::unique_lock lock(mutex);
        while (!finished.wait_for(lock, waitingStep, [&] { return progress.filesDone == progress.files; })) {
            lock.unlock();
            whileWaiting();
            lock.lock();
        }
    }
    for (std::thread &thread : threads)
        thread.join();
    return listings;
}

} // namespace lexalon
