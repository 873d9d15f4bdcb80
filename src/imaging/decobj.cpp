// SPDX-License-Identifier: MIT
#include "imaging/decobj.h"

#include "core/general.h"
#include "imaging/prefetcher.h"
#include "ui/previewpainter.h"
#include "imaging/previewstatus.h"
#include "imaging/webcopy.h"
#include "platform/platform.h"
#include "ui/form2.h"
#include "ui/picturebox.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

void DecObj::Execute()
{
    Form2 *form = Form2::instance();
    // Setting the text also forgets the undo history: Ctrl+Z must not bring back the previous image's caption.
    form->txtCaption->setText(QString());
    form->txtCaption->setFocus(); // ready for this image's caption, even while it loads
    form->lblSizeBefore->clear();
    objMediator->SetSourceFile(imagePath);

    form->PicBox->setLoadingText(QStringLiteral("Loading %1…").arg(QFileInfo(imagePath).fileName()));
    PreviewStatus::instance()->setLoading(imagePath);
    // Decoded for the preview box as it is now: its square and the screen's pixel density.
    Prefetcher::shared().setTarget(PreviewPainter::target(form->PicBox));
    Prefetcher::shared().show(imagePath, form, &DecObj::paint);
}

void DecObj::paint(const std::optional<PreviewLoader::Picture> &picture)
{
    Form2 *form = Form2::instance();
    form->PicBox->setLoadingText(QString());
    if (!picture) {
        PreviewStatus::instance()->setFailed();
        Platform::instance().messageBox(QStringLiteral("Error loading image\n") + QFileInfo(PreviewStatus::instance()->path()).fileName());
        return;
    }

    form->pichidden->setPicture(picture->image);
    PreviewPainter::of(form->PicBox)->show(*picture, PreviewStatus::instance()->path());
    form->PicBox->setVisible(true);
    form->showImageSize(PreviewStatus::instance()->path(), (picture->naturalTwips / PreviewLoader::TwipsPerPixel).toSize());
    PreviewStatus::instance()->setPainted(*picture);
    // Only a photo the preview could show is decoded for its web-sized copy.
    WebCopy::shared().previewed(PreviewStatus::instance()->path());
    if (!picture->description.isEmpty()) {
        // The photo's own description, selected so that typing replaces it.
        form->txtCaption->setText(picture->description);
        form->txtCaption->selectAll();
        form->txtCaption->setProperty("suggestion", picture->description);
    }
}
