// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/documents/pdftext.h"

#include "platform/interaction/taskprogress.h"
#include "platform/system/parallelfor.h"
#include "text/documents/documentproblems.h"
#include "text/documents/pdflayout.h"

#include <QByteArray>
#include <QRectF>
#include <QThread>
#include <QVariant>

#include <poppler-qt6.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

namespace lexalon {
namespace {

// A complete file ends with %%EOF, give or take some bytes after it.
constexpr qsizetype endMarkerSpan = 1024;

bool isComplete(QByteArrayView bytes)
{
    return bytes.last(std::min(bytes.size(), endMarkerSpan)).contains("%%EOF");
}

// Poppler's complaints about a damaged file would go to the standard error:
// the reader says what matters in French instead.
void silencePoppler()
{
    static std::once_flag once;
    std::call_once(once, [] { Poppler::setDebugErrorFunction([](const QString &, const QVariant &) {}, QVariant()); });
}

DocumentText problem(QString reason)
{
    return {{}, {}, std::move(reason)};
}

// A document is not shared between threads: each worker loads its own from
// the same bytes.
class PageReader
{
public:
    PageReader(const QByteArray &bytes, std::unique_ptr<Poppler::Document> first, size_t workers)
        : m_bytes(bytes)
        , m_documents(workers)
    {
        m_documents[0] = std::move(first);
    }

    // The page's lines, or nullopt when Poppler cannot read the page.
    std::optional<PageLines> read(size_t page, size_t worker)
    {
        std::unique_ptr<Poppler::Document> &document = m_documents[worker];
        if (!document)
            document = Poppler::Document::loadFromData(m_bytes);
        const std::unique_ptr<Poppler::Page> read = document ? document->page(int(page)) : nullptr;
        if (!read)
            return std::nullopt;
        return pageLines(read->text(QRectF()));
    }

private:
    const QByteArray &m_bytes;
    std::vector<std::unique_ptr<Poppler::Document>> m_documents;
};

} // namespace

DocumentText readPdf(QByteArrayView bytes, TaskProgress *progress)
{
    silencePoppler();
    if (!isComplete(bytes))
        return problem(documentProblem::damaged());
    const QByteArray data = bytes.toByteArray();
    std::unique_ptr<Poppler::Document> document = Poppler::Document::loadFromData(data);
    if (!document)
        return problem(documentProblem::damaged());
    if (document->isLocked())
        return problem(documentProblem::passwordProtected());
    // Poppler counts no page when the page tree is broken.
    const size_t pageCount = size_t(std::max(document->numPages(), 0));
    if (pageCount == 0)
        return problem(documentProblem::damaged());
    if (progress != nullptr)
        progress->setTotal(qint64(pageCount));

    std::vector<PageLines> pages(pageCount);
    std::atomic<bool> unreadable = false;
    std::atomic<qint64> done = 0;
    const size_t workers = std::clamp<size_t>(size_t(QThread::idealThreadCount()), 1, pageCount);
    PageReader reader(data, std::move(document), workers);
    parallelFor(pageCount, workers, [&](size_t page, size_t worker) {
        if (std::optional<PageLines> lines = reader.read(page, worker))
            pages[page] = std::move(*lines);
        else
            unreadable = true;
        if (progress != nullptr)
            progress->advance(++done);
    });
    if (unreadable)
        return problem(documentProblem::damaged());

    dropRunningLines(pages);
    DocumentText result;
    result.text = joinPages(pages);
    if (result.text.isEmpty())
        return problem(documentProblem::imageOnly());
    return result;
}

} // namespace lexalon
