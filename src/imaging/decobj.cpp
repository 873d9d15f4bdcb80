// SPDX-License-Identifier: MIT
#include "imaging/decobj.h"

#include "core/general.h"
#include "imaging/prefetcher.h"
#include "imaging/previewpainter.h"
#include "imaging/previewloader.h"
#include "platform/platform.h"
#include "ui/form2.h"
#include "ui/picturebox.h"

#include <QLabel>
#include <QLineEdit>

void DecObj::Execute()
{
    Form2 *form = Form2::instance();
    // Setting the text also forgets the undo history: Ctrl+Z must not bring back the previous image's caption.
    form->txtCaption->setText(QString());
    form->txtCaption->setFocus(); // ready for this image's caption
    form->lblSizeBefore->clear();
    objMediator->SetSourceFile(imagePath);

    // Decoded for the preview box as it is now: its square and the screen's pixel density.
    const PreviewLoader::Target target = PreviewPainter::target(form->PicBox);
    Prefetcher::shared().setTarget(target);
    std::optional<PreviewLoader::Picture> picture = Prefetcher::shared().take(imagePath);
    if (!picture)
        picture = PreviewLoader::load(imagePath, target);
    if (!picture) {
        Platform::instance().messageBox(QStringLiteral("Error loading image"));
        return;
    }

    form->pichidden->setPicture(picture->image);
    PreviewPainter::of(form->PicBox)->show(*picture, imagePath);
    form->PicBox->setVisible(true);
    form->showImageSize(imagePath, (picture->naturalTwips / PreviewLoader::TwipsPerPixel).toSize());
    if (!picture->description.isEmpty()) {
        // The photo's own description, selected so that typing replaces it.
        form->txtCaption->setText(picture->description);
        form->txtCaption->selectAll();
    }
}
