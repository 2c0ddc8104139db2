#include "output/filelisting.h"

#include "document/textfile.h"
#include "output/wordlistreading.h"
#include "wordforms/analysis.h"
#include "wordforms/tokenlist.h"

#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

constexpr std::chrono::milliseconds waitingStep(200);

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
        const LargeBuffer &bytes = source.windows1252;
        if (bytes.size() != 0) {
            list = analyseBytes(bytes.data(), bytes.size(), windows1252Characters());
            return {};
        }
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
