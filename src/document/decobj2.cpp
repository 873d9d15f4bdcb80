// SPDX-License-Identifier: MIT
#include "document/decobj2.h"

#include "core/general.h"
#include "document/documenterror.h"
#include "document/imagecopy.h"
#include "document/pagetext.h"
#include "document/slideshow.h"
#include "document/textstream.h"
#include "ui/form2.h"

#include <QLineEdit>

void DecObj2::Execute()
{
    if (!tsSlideShow || !tsSlideShow->isOpen())
        throw DocumentError(QStringLiteral("No slide show is open, so the image cannot be added."));

    const QString fileName = imagePath.mid(imagePath.lastIndexOf(QLatin1Char('/')) + 1);
    ImageCopy::copy(imagePath, objMediator->GetTgtFolder() + QLatin1Char('/') + fileName);

    const qint32 n = lngSlideCount + 1;
    const QByteArray entry = "\r\n\r\n" + PageText::pictureLine(n, fileName) + "\r\n"
        + PageText::captionLine(n, Form2::instance()->txtCaption->text()) + "\r\n";
    tsSlideShow->Write(entry);
    tsSlideShow->flush();

    lngSlideCount = n;
    if (lngSlideCount == 1)
        strFirstPicture = fileName;
}
