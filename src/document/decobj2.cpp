// SPDX-License-Identifier: MIT
#include "document/decobj2.h"

#include "document/documenterror.h"
#include "document/imagecopy.h"
#include "document/slideshow.h"
#include "imaging/webcopy.h"

#include <QFile>
#include <QFileInfo>

void DecObj2::Execute()
{
    SlideShow &show = *m_show;
    // A page closed, deleted or replaced meanwhile gets no entry, so nothing of the photo may reach the folder.
    show.checkWritable();

    QString fileName = imagePath.mid(imagePath.lastIndexOf(QLatin1Char('/')) + 1);
    QString thumbnail;
    QStringList created;
    if (WebCopy::shared().isOn()) {
        // Both files are complete under their names before the entry names them.
        const WebCopy::Placed placed = WebCopy::shared().place(imagePath);
        fileName = placed.fileName;
        thumbnail = placed.thumbnail;
        created = placed.created;
    } else {
        // Beside the open page, wherever the dialog's folders point now; under another
        // name when the show holds another photo of this name.
        fileName = show.copyName(imagePath, fileName);
        const QString copy = show.folder() + QLatin1Char('/') + fileName;
        // Back removes the copy only if this entry made a new file (never the source, never a file already there).
        const QFileInfo before(copy);
        const bool newCopy = !before.exists() && !before.isSymLink();
        ImageCopy::copy(imagePath, copy);
        if (newCopy)
            created << copy;
    }

    qint64 offset = 0;
    try {
        offset = show.append(fileName, m_caption, thumbnail);
    } catch (const DocumentError &) {
        // No entry names them: the files made for it go again. A file that was there before stays.
        for (const QString &file : std::as_const(created))
            QFile::remove(file);
        throw;
    }
    show.noteMade(created);
    m_added = {offset, created};
}
