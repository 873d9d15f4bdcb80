// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/previewloader.h"

#include <QObject>
#include <QString>

#include <optional>

/**
 * Tells when the image on show has started loading and when it has arrived
 * or could not be loaded. The decode runs off the window's thread, so
 * whatever depends on the picture (the Add button, the size label, a caption
 * suggested from the photo) follows these signals rather than the call that
 * asked for it. The coordinator owns one.
 */
class PreviewStatus : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    /** True from loading until arrived, unless the batch was set aside meanwhile. */
    bool isLoading() const;
    /** The image the preview is loading or last loaded. */
    const QString &path() const { return m_path; }

    void setLoading(const QString &path);
    /** The decode of the image on show is done: its picture, or nothing when it could not be loaded. */
    void setArrived(const std::optional<PreviewLoader::Picture> &picture);

signals:
    void loading(const QString &path);
    void arrived(const QString &path, const std::optional<PreviewLoader::Picture> &picture);

private:
    bool m_loading = false;
    QString m_path;
};
