// SPDX-License-Identifier: MIT
#include "document/slideshow.h"

#include "core/mediator.h"
#include "document/documenterror.h"
#include "document/pagetext.h"
#include "document/textstream.h"
#include "platform/platform.h"
#include "ui/form2.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>

std::unique_ptr<TextStream> tsSlideShow;
qint32 lngSlideCount = 0;
QString strFirstPicture;

QByteArray ReadTemplate(const QString &name)
{
    QFile file(Platform::instance().programFolder() + QLatin1Char('/') + name);
    if (!file.open(QIODevice::ReadOnly))
        throw DocumentError(QStringLiteral("The template \"%1\" could not be read: %2.")
                                .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
    QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw DocumentError(QStringLiteral("The template \"%1\" could not be read: %2.")
                                .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
    return text;
}

void CreateSlideShow(const Mediator &md)
{
    const QString folder = md.GetTgtFolder();
    if (folder.isEmpty())
        throw DocumentError(QStringLiteral("No target folder is chosen. Choose a target folder for the slide show first."));

    // The old stream must never write into the new file, even at the same path.
    CloseSlideShow();
    // The first picture belongs to this document; one from an earlier slide
    // show would be a broken image here.
    strFirstPicture.clear();
    tsSlideShow = TextStream::create(folder + QLatin1Char('/') + QLatin1String(SlideShowFileName));
    const QByteArray head = ReadTemplate(QStringLiteral("Head.txt"));
    tsSlideShow->WriteLine(head);
    tsSlideShow->flush();
}

void CompleteSlideShow()
{
    if (!tsSlideShow || !tsSlideShow->isOpen())
        throw DocumentError(QStringLiteral("No slide show is open, so it cannot be completed."));

    tsSlideShow->Write(ReadTemplate(QStringLiteral("Middle.txt")));
    tsSlideShow->WriteBlankLines(2);
    tsSlideShow->WriteLine(PageText::pictureRow(strFirstPicture));
    tsSlideShow->WriteLine(PageText::captionRow(Form2::instance()->txtSlideShowName->text()));
    tsSlideShow->WriteBlankLines(2);
    tsSlideShow->Write(ReadTemplate(QStringLiteral("End.txt")));
    tsSlideShow->WriteBlankLines(2);
    tsSlideShow->Close();
}

void CloseSlideShow()
{
    if (!tsSlideShow)
        return;
    try {
        tsSlideShow->Close();
    } catch (const DocumentError &) {
        // Whatever reached the file stays there; nothing more can be done.
    }
}
