// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/previewloader.h"

#include <QObject>
#include <QString>

/**
 * The one place that tells when the image on show has started loading, has
 * been painted, or could not be loaded. The decode runs off the window's
 * thread, so whatever depends on the picture (the Add button, the size label,
 * a caption suggested from the photo) connects here rather than to the call
 * that asked for it.
 */
class PreviewStatus : public QObject
{
    Q_OBJECT

public:
    static PreviewStatus *instance();

    /** True from loading until painted or failed, unless the batch was set aside meanwhile. */
    bool isLoading() const;
    /** The image the preview is loading or last loaded. */
    const QString &path() const { return m_path; }

    void setLoading(const QString &path);
    void setPainted(const PreviewLoader::Picture &picture);
    void setFailed();

signals:
    /** The preview shows "Loading <file name>…"; the caption box is already empty. */
    void loading(const QString &path);
    /** The picture is painted into the preview. */
    void painted(const QString &path, const PreviewLoader::Picture &picture);
    /** The file could not be loaded; emitted just before "Error loading image" is shown. */
    void failed(const QString &path);

private:
    bool m_loading = false;
    QString m_path;
};
