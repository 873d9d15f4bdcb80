// SPDX-License-Identifier: MIT
#include "document/decobj2.h"

#include "core/general.h"
#include "document/documenterror.h"
#include "document/imagecopy.h"
#include "document/opendocument.h"
#include "document/pagetext.h"
#include "document/slideshow.h"
#include "document/textstream.h"
#include "imaging/webcopy.h"
#include "modes/batchsteps.h"
#include "ui/form2.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

void DecObj2::Execute()
{
    if (!tsSlideShow || !tsSlideShow->isOpen())
        throw DocumentError(QStringLiteral("No slide show is open, so the image cannot be added."));

    // A page deleted or replaced meanwhile gets no entry, so nothing of the photo may reach the folder.
    tsSlideShow->checkInPlace();

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
        // Beside the open document, wherever the dialog's folders point now; under another
        // name when the show holds another photo of this name.
        fileName = openDocument.copyName(imagePath, fileName);
        const QString copy = SlideShowFolder() + QLatin1Char('/') + fileName;
        // Back removes the copy only if this entry made a new file (never the source, never a file already there).
        const QFileInfo before(copy);
        const bool newCopy = !before.exists() && !before.isSymLink();
        ImageCopy::copy(imagePath, copy);
        if (newCopy)
            created << copy;
    }

    const qint32 n = lngSlideCount + 1;
    const QString caption = Form2::instance()->txtCaption->text();
    QByteArray entry = "\r\n\r\n" + PageText::pictureLine(n, fileName) + "\r\n"
        + PageText::captionLine(n, caption) + "\r\n";
    if (!thumbnail.isEmpty())
        entry += PageText::thumbnailLine(n, thumbnail) + "\r\n";
    const qint64 offset = tsSlideShow->size();
    try {
        tsSlideShow->Write(entry);
    } catch (const DocumentError &) {
        // No entry names them: the files made for it go again. A file that was there before stays.
        for (const QString &file : std::as_const(created))
            QFile::remove(file);
        throw;
    }
    tsSlideShow->flush();
    objMediator->batchSteps().added(offset, caption, created);

    lngSlideCount = n;
    if (lngSlideCount == 1)
        strFirstPicture = fileName;
}
