// SPDX-License-Identifier: MIT
#include "document/slideshow.h"

#include "core/mediator.h"
#include "document/documenterror.h"
#include "document/opendocument.h"
#include "document/pagetext.h"
#include "document/staletemporaries.h"
#include "document/textstream.h"
#include "imaging/webcopy.h"
#include "platform/platform.h"
#include "ui/form2.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

std::unique_ptr<TextStream> tsSlideShow;
qint32 lngSlideCount = 0;
QString strFirstPicture;

namespace {
bool s_completed = false;
}

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

namespace {
/** Writes the whole page beside path and renames it over path, so that no reader ever sees half of it. */
void replacePage(const QString &path, const QByteArray &bytes)
{
    const QString folder = QFileInfo(path).absolutePath();
    QFile temp;
    do {
        temp.setFileName(folder + QStringLiteral("/.SlideShow.htm.")
                         + QString::number(QRandomGenerator::global()->generate(), 36) + QStringLiteral(".tmp"));
    } while (!temp.open(QIODevice::WriteOnly | QIODevice::NewOnly) && temp.exists());
    QString reason;
    if (!temp.isOpen())
        reason = temp.errorString();
    else if (temp.write(bytes) != bytes.size() || !temp.flush())
        reason = temp.errorString();
    else if (::fsync(temp.handle()) != 0)
        reason = QString::fromLocal8Bit(std::strerror(errno));
    temp.close();
    if (reason.isEmpty() && std::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        reason = QString::fromLocal8Bit(std::strerror(errno));
    if (reason.isEmpty())
        return;
    temp.remove();
    throw DocumentError(QStringLiteral("The slide show \"%1\" could not be created: %2.").arg(QDir::toNativeSeparators(path), reason));
}
}

void CreateSlideShow(const Mediator &md)
{
    const QString folder = md.GetTgtFolder();
    if (folder.isEmpty())
        throw DocumentError(QStringLiteral("No target folder is chosen. Choose a target folder for the slide show first."));

    OpenDocument::Plan plan = openDocument.takePlan();
    const SlideShowTemplates templates = plan.templates ? *plan.templates : SlideShowTemplates::read();
    std::unique_ptr<TargetLock> lock = plan.lock ? std::move(plan.lock) : openDocument.takeLock(folder);
    const QString path = folder + QLatin1Char('/') + QLatin1String(SlideShowFileName);

    // A batch stopped by this one leaves a page that plays; one in this same
    // folder is being continued or replaced. The old stream must never write
    // into the new file.
    if (tsSlideShow && tsSlideShow->isOpen() && !OpenDocument::sameFolder(openDocument.folder(), folder))
        StopSlideShow();
    CloseSlideShow();
    // The first picture belongs to this document; one from an earlier slide
    // show would be a broken image here.
    strFirstPicture.clear();
    s_completed = false;
    // With the folder locked, what a killed batch of ours left half written there can go.
    if (lock)
        StaleTemporaries::remove(folder, lock->path());
    replacePage(path, plan.continued ? plan.continued->headAndEntries() : templates.head + "\r\n");
    tsSlideShow = TextStream::append(path);
    openDocument.begin(folder, templates, std::move(lock),
                       plan.continued ? plan.continued->slides() : QList<SlideShowReader::Slide>());
    if (plan.continued) {
        const QList<SlideShowReader::Slide> &slides = plan.continued->slides();
        lngSlideCount = qint32(slides.size());
        if (!slides.isEmpty())
            strFirstPicture = slides.first().picture;
        if (plan.continued->name())
            Form2::instance()->txtSlideShowName->setText(*plan.continued->name());
    }
}

void CompleteSlideShow()
{
    if (!tsSlideShow || !tsSlideShow->isOpen())
        throw DocumentError(QStringLiteral("No slide show is open, so it cannot be completed."));

    const SlideShowTemplates &templates = openDocument.templates();
    tsSlideShow->Write(templates.middle);
    tsSlideShow->WriteBlankLines(2);
    tsSlideShow->WriteLine(PageText::pictureRow(strFirstPicture));
    tsSlideShow->WriteLine(PageText::captionRow(Form2::instance()->txtSlideShowName->text()));
    tsSlideShow->WriteBlankLines(2);
    tsSlideShow->Write(templates.end);
    tsSlideShow->WriteBlankLines(2);
    tsSlideShow->Close();
    openDocument.end();
    WebCopy::shared().discard(); // a last photo shown but skipped
    s_completed = true;
}

QString SlideShowPath()
{
    return tsSlideShow ? tsSlideShow->path() : QString();
}

QString SlideShowFolder()
{
    return tsSlideShow ? QFileInfo(tsSlideShow->path()).path() : QString();
}

bool SlideShowReady()
{
    return s_completed && QFileInfo(SlideShowPath()).isFile();
}

void CloseSlideShow()
{
    openDocument.end();
    if (!tsSlideShow)
        return;
    try {
        tsSlideShow->Close();
    } catch (const DocumentError &) {
        // Whatever reached the file stays there; nothing more can be done.
    }
}

void StopSlideShow()
{
    if (tsSlideShow && tsSlideShow->isOpen()) {
        try {
            CompleteSlideShow();
        } catch (const DocumentError &) {
            CloseSlideShow();
            throw;
        }
    }
    openDocument.end();
}
