// SPDX-License-Identifier: MIT
#include "imaging/decobj.h"

#include "core/general.h"
#include "imaging/prefetcher.h"
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

    std::optional<PreviewLoader::Picture> picture = Prefetcher::shared().take(imagePath);
    if (!picture)
        picture = PreviewLoader::load(imagePath);
    if (!picture) {
        Platform::instance().messageBox(QStringLiteral("Error loading image"));
        return;
    }

    form->pichidden->setPicture(picture->image);
    const QSizeF size = picture->fittedTwips;
    const float square = PreviewLoader::Square;
    form->PicBox->fillBox(QRectF(0, 0, form->PicBox->scaleWidth(), form->PicBox->scaleHeight()), Qt::white);
    form->PicBox->paintPicture(picture->image,
                               QRectF((square - float(size.width())) / 2, (square - float(size.height())) / 2,
                                      size.width(), size.height()));
    form->PicBox->setVisible(true);
    form->showImageSize(imagePath, (picture->naturalTwips / PreviewLoader::TwipsPerPixel).toSize());
    if (!picture->description.isEmpty()) {
        // The photo's own description, selected so that typing replaces it.
        form->txtCaption->setText(picture->description);
        form->txtCaption->selectAll();
    }
}
