// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/imagefolder.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

/**
 * The listing of the chosen source folder, made once, off the window's
 * thread, when the folder is chosen. The batch dialog's list and the batch
 * that "Start" begins both take it from here instead of listing again.
 */
class FolderListing
{
public:
    struct Result {
        std::vector<ImageFolder::Entry> entries;
        std::vector<ImageFolder::LeftOut> leftOut; // files that are not offered, and why
        QString error; // why the folder could not be listed; empty when it could
    };

    static FolderListing &shared();

    /** Starts listing folder; an earlier listing is forgotten, and its result never handed over. */
    void start(const QString &folder);
    /**
     * Hands the listing of folder to ready on context's thread: at once when
     * it is done, else when it is. Starts a listing when folder is not the
     * one listed last. take uses the listing up: the next batch lists again.
     */
    void whenReady(const QString &folder, QObject *context, std::function<void(const Result &)> ready,
                   bool take = false);
    /** True while a listing runs. */
    bool isBusy() const { return m_running; }
    /** Forgets the listing; nothing more is handed over. */
    void drop();

private:
    struct Waiter {
        QPointer<QObject> context;
        std::function<void(const Result &)> ready;
    };
    void deliver(quint64 generation, const std::shared_ptr<const Result> &result);

    QString m_folder;
    quint64 m_generation = 0;
    bool m_running = false;
    bool m_takeWhenDone = false;
    std::shared_ptr<const Result> m_result;
    std::vector<Waiter> m_waiters;
};
