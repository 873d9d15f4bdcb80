// SPDX-License-Identifier: MIT
#include "ui/accessiblenames.h"

#include "core/general.h"
#include "core/mediator.h"
#include "ui/accessiblewidget.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/frmabout.h"
#include "ui/fullscreenpreview.h"
#include "ui/picturebox.h"
#include "ui/previewdescription.h"
#include "ui/showeditor.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>

void AccessibleNames::give(Form2 *window)
{
    AccessibleWidget::install();
    AccessibleWidget::setDecorative(window->Picture1); // the film strip only dresses the window
    window->lblSlideShowName->setBuddy(window->txtSlideShowName);
    window->Label1->setBuddy(window->txtCaption);
    window->txtCaption->setAccessibleDescription(tr("Shown with this photo in the slide show; Enter adds the photo"));
    window->PicBox->setAccessibleName(tr("Preview"));
    window->btnBack->setAccessibleDescription(tr("Shows the photo before this one again"));
    window->Next->setAccessibleDescription(tr("Leaves this photo out and shows the next"));
    window->Command4->setAccessibleDescription(tr("Adds this photo, with its caption, to the slide show"));
    window->btnView->setAccessibleDescription(tr("Opens the slide show's page in the web browser"));
    // Named as a whole; its text keeps no name of its own, so that each change is announced as the text.
    window->StatusBar1->setAccessibleName(tr("Status"));
    give(window->fullScreenPreview());
    new PreviewDescription(objMediator.get(), {window->PicBox, window->fullScreenPreview()}, window->PicBox);
}

void AccessibleNames::give(FullScreenPreview *view)
{
    view->setAccessibleName(tr("Photo, full screen"));
    view->caption()->setAccessibleName(tr("Caption"));
    view->caption()->setAccessibleDescription(tr("Enter adds the photo; Escape returns to the main window"));
}

void AccessibleNames::give(Form1 *window)
{
    AccessibleWidget::install();
    // Alt and the label's letter reaches its box; the letters are none of the buttons'.
    window->Label2->setBuddy(window->txtSrcFolder);
    window->Label1->setBuddy(window->txtTgtFolder);
    window->Label3->setBuddy(window->List1);
    window->txtSrcFolder->setAccessibleDescription(tr("The folder whose photos are offered"));
    window->txtTgtFolder->setAccessibleDescription(tr("The folder the slide show's page is written to"));
    window->btnSource->setAccessibleName(tr("Select source folder"));
    window->btnTarget->setAccessibleName(tr("Select target folder"));
    window->List1->setAccessibleName(tr("Found images")); // a list is not named by its label
    window->List1->setAccessibleDescription(tr("The photos that will be offered, one by one, in this order"));
    window->Command1->setAccessibleDescription(tr("Starts offering the photos"));
}

void AccessibleNames::give(frmAbout *box)
{
    AccessibleWidget::install();
    AccessibleWidget::setDecorative(box->picIcon);
}

void AccessibleNames::give(ShowEditor *editor)
{
    AccessibleWidget::install();
    editor->slideList()->setAccessibleName(tr("Slides"));
    editor->slideList()->setAccessibleDescription(
        tr("Enter edits a caption, Delete removes a slide, Ctrl+Up and Ctrl+Down move it"));
}
