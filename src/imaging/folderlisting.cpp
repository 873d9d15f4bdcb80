// SPDX-License-Identifier: MIT
#include "imaging/folderlisting.h"

#include <QCoreApplication>
#include <QtConcurrent>

FolderListing &FolderListing::shared()
{
    static FolderListing listing;
    return listing;
}

void FolderListing::start(const QString &folder)
{
    const quint64 generation = ++m_generation;
    m_folder = folder;
    m_running = true;
    m_takeWhenDone = false;
    m_result.reset();
    m_waiters.clear();
    QtConcurrent::run([folder] {
        auto result = std::make_shared<Result>();
        try {
            result->entries = ImageFolder::list(folder, &result->leftOut);
        } catch (const FolderError &e) {
            result->error = QString::fromLocal8Bit(e.what());
        }
        return std::shared_ptr<const Result>(std::move(result));
    }).then(QCoreApplication::instance(), [this, generation](const std::shared_ptr<const Result> &result) {
        deliver(generation, result);
    });
}

void FolderListing::deliver(quint64 generation, const std::shared_ptr<const Result> &result)
{
    if (generation != m_generation)
        return; // another folder was chosen meanwhile
    m_running = false;
    m_result = result;
    const std::vector<Waiter> waiters = std::move(m_waiters);
    m_waiters.clear();
    if (m_takeWhenDone)
        drop();
    for (const Waiter &waiter : waiters) {
        if (waiter.context)
            waiter.ready(*result);
    }
}

void FolderListing::whenReady(const QString &folder, QObject *context, std::function<void(const Result &)> ready,
                              bool take)
{
    if (folder != m_folder || (!m_running && !m_result))
        start(folder);
    if (m_result) {
        const std::shared_ptr<const Result> result = m_result;
        if (take)
            drop();
        ready(*result);
        return;
    }
    // The batch that takes the listing goes first: its first photo then
    // decodes while the dialog's list fills.
    m_waiters.insert(take ? m_waiters.begin() : m_waiters.end(), Waiter{context, std::move(ready)});
    m_takeWhenDone = m_takeWhenDone || take;
}

void FolderListing::drop()
{
    ++m_generation;
    m_folder.clear();
    m_running = false;
    m_takeWhenDone = false;
    m_result.reset();
    m_waiters.clear();
}
