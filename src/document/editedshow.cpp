// SPDX-License-Identifier: MIT
#include "document/editedshow.h"

#include "document/continuedphotos.h"
#include "document/documenterror.h"
#include "document/imagecopy.h"
#include "document/pagetext.h"
#include "document/replacingfile.h"
#include "document/slideshowreader.h"
#include "imaging/webcopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <vector>

namespace {
QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

bool exists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}
}

bool EditedShow::read(const QString &path, const SlideShowTemplates &templates)
{
    SlideShowReader reader;
    if (!reader.read(path, templates)) {
        m_reason = reader.reason();
        return false;
    }
    m_path = path;
    m_reason.clear();
    m_head = reader.head();
    // An unfinished page is completed as its batch would have been.
    m_middle = reader.middle().value_or(templates.middle);
    m_end = reader.end().value_or(templates.end);
    name = reader.name().value_or(defaultName());
    slides.clear();
    slides.reserve(reader.slides().size());
    m_webSized = false;
    for (const SlideShowReader::Slide &slide : reader.slides()) {
        slides.append({slide.picture, slide.caption, slide.thumbnail});
        m_webSized = m_webSized || slide.webSized;
    }
    m_saved = slides;
    m_made.clear();
    // Without a record the slides tell how the show was made, and no copy is known as made for it.
    m_record = ShowRecord::load(path);
    if (m_record.loaded())
        m_webSized = m_record.webSized;
    return true;
}

QString EditedShow::folder() const
{
    return QFileInfo(m_path).path();
}

QByteArray EditedShow::text() const
{
    QByteArray page = m_head;
    qint32 n = 0;
    for (const Slide &slide : slides)
        page += PageText::entry(++n, slide.picture, slide.caption, slide.thumbnail);
    return page + PageText::closing(m_middle, slides.isEmpty() ? QString() : slides.first().picture, name, m_end);
}

QSet<QString> EditedShow::used(const QList<Slide> &slides)
{
    QSet<QString> names;
    for (const Slide &slide : slides) {
        names.insert(slide.picture);
        if (!slide.thumbnail.isEmpty())
            names.insert(slide.thumbnail);
    }
    return names;
}

void EditedShow::save()
{
    const QByteArray page = text();
    ReplacingFile file(m_path);
    if (!file.open() || !file.write(page.constData(), page.size()) || !file.commit())
        throw DocumentError(tr("The slide show \"%1\" could not be saved: %2.")
                                .arg(native(m_path), file.errorString()));

    // A copy goes only when no slide uses it and this program made it for this show.
    const QSet<QString> inUse = used(slides);
    const QSet<QString> before = used(m_saved) | m_made;
    for (const QString &name : before) {
        if (inUse.contains(name) || !(m_made.contains(name) || m_record.madeForShow(name)))
            continue;
        QFile::remove(folder() + QLatin1Char('/') + name);
        m_record.made.removeAll(name);
    }
    const bool madeNow = !(m_made & inUse).isEmpty();
    for (const QString &name : std::as_const(m_made)) {
        if (inUse.contains(name))
            m_record.addMade(name);
    }
    // A record that could not be read is left alone unless this editing made files for the show.
    if (m_record.loaded() || madeNow) {
        if (!m_record.loaded())
            m_record.webSized = m_webSized;
        m_record.save(m_path); // a record not written only means that these copies stay for good
    }
    m_made.clear();
    m_saved = slides;
}

void EditedShow::discardCopies()
{
    const QSet<QString> kept = used(m_saved);
    for (const QString &name : std::as_const(m_made)) {
        if (!kept.contains(name))
            QFile::remove(folder() + QLatin1Char('/') + name);
    }
    m_made.clear();
}

void EditedShow::addMade(const QStringList &made)
{
    for (const QString &name : made)
        m_made.insert(name);
}

EditedShow::Copies EditedShow::copyPhotos(const QStringList &photos) const
{
    const QString target = folder();
    std::vector<ContinuedPhotos::Photo> listed;
    for (const QString &photo : photos)
        listed.push_back({photo, QFileInfo(photo).fileName()});
    QList<ContinuedPhotos::Held> held;
    for (const Slide &slide : std::as_const(slides))
        held.append({slide.picture, !slide.thumbnail.isEmpty()});
    // A photo the show holds already is named again; another one of a name the show has takes a free name.
    const ContinuedPhotos::Decision decision = ContinuedPhotos::decide(listed, held, target, m_webSized);

    QList<Slide> added;
    QStringList created;
    WebCopy webCopies;
    if (m_webSized && !photos.isEmpty())
        webCopies.begin(true, QFileInfo(photos.first()).path(), target);
    try {
        for (const ContinuedPhotos::Photo &photo : listed) {
            if (decision.leftOut.contains(photo.path)) {
                const auto same = std::find_if(slides.cbegin(), slides.cend(),
                                               [&photo](const Slide &slide) { return slide.picture == photo.name; });
                added.append({photo.name, QString(), same != slides.cend() ? same->thumbnail : QString()});
                continue;
            }
            if (m_webSized) {
                const WebCopy::Placed placed = webCopies.place(photo.path);
                created += placed.created;
                added.append({placed.fileName, QString(), placed.thumbnail});
                continue;
            }
            const QString name = decision.renamed.value(photo.path, photo.name);
            const QString copy = target + QLatin1Char('/') + name;
            const bool newCopy = !exists(copy);
            ImageCopy::copy(photo.path, copy);
            if (newCopy)
                created << copy;
            added.append({name, QString(), QString()});
        }
    } catch (const DocumentError &) {
        for (const QString &file : std::as_const(created))
            QFile::remove(file);
        throw;
    }
    Copies copies{added, {}};
    for (const QString &file : std::as_const(created))
        copies.made << QDir(target).relativeFilePath(file);
    return copies;
}
