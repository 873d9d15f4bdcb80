// SPDX-License-Identifier: MIT
#include "imaging/slidethumbnails.h"

#include "imaging/prefetcher.h"

#include <QCoreApplication>
#include <QPointer>

namespace {
/** Decodes running at once: the list stays quick to fill without crowding out other work. */
constexpr int Running = 2;
/** Requests kept waiting; older ones are forgotten, as they have scrolled out of view. */
constexpr int Waiting = 200;
}

SlideThumbnails::SlideThumbnails(QObject *parent)
    : QObject(parent)
    , m_done(24 * 1024 * 1024)
    , m_cancelled(std::make_shared<std::atomic_bool>(false))
    , m_blank(Side, Side, QImage::Format_ARGB32_Premultiplied)
{
    m_blank.fill(Qt::transparent);
}

SlideThumbnails::~SlideThumbnails()
{
    cancel();
}

void SlideThumbnails::cancel()
{
    m_cancelled->store(true);
    m_cancelled = std::make_shared<std::atomic_bool>(false);
    m_waiting.clear();
    m_running.clear();
}

QImage SlideThumbnails::thumbnail(const QString &path)
{
    if (const QImage *image = m_done.object(path))
        return *image;
    if (m_failed.contains(path) || m_running.contains(path))
        return m_blank;
    m_waiting.removeOne(path);
    m_waiting.append(path);
    if (m_waiting.size() > Waiting)
        m_waiting.removeFirst();
    startNext();
    return m_blank;
}

void SlideThumbnails::startNext()
{
    while (m_running.size() < Running && !m_waiting.isEmpty()) {
        const QString path = m_waiting.takeLast();
        m_running.insert(path);
        QPointer<SlideThumbnails> self(this);
        const std::shared_ptr<std::atomic_bool> cancelled = m_cancelled;
        Prefetcher::shared().batch(cancelled, [self, path, cancelled](const Prefetcher::BatchDecode &decode) {
            PreviewLoader::Limits limits;
            limits.box = QSize(Side, Side);
            const Prefetcher::Result picture = decode(path, limits);
            if (*cancelled)
                return;
            QImage image = picture ? picture->image : QImage();
            // Handed over on the window's thread, where the list is looked for.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self, path, cancelled, image = std::move(image)] {
                    if (!self || *cancelled)
                        return;
                    self->m_running.remove(path);
                    if (image.isNull())
                        self->m_failed.insert(path);
                    else
                        self->m_done.insert(path, new QImage(image), qsizetype(image.sizeInBytes()));
                    emit self->arrived(path);
                    self->startNext();
                },
                Qt::QueuedConnection);
        });
    }
}
