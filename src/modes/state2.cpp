// SPDX-License-Identifier: MIT
#include "modes/state2.h"

#include "commands/chain.h"
#include "commands/cmd2.h"
#include "commands/stack.h"
#include "core/imagefolder.h"
#include "core/mediator.h"
#include "document/documenterror.h"
#include "document/slideshow.h"
#include "imaging/parseobject.h"
#include "imaging/prefetcher.h"
#include "platform/platform.h"

#include <QFileInfo>

void State2::init(Mediator *md)
{
    this->md = md;
}

void State2::Command1(QString &)
{
    const std::shared_ptr<Chain> chain = Chain::makeFileTypeChain();
    imageStack = std::make_shared<Stack>();
    Prefetcher::shared().drop();

    const QString folder = md->GetSourceFolder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        Platform::instance().messageBox(QStringLiteral("Source Folder does not exist!"));
        return;
    }

    std::vector<ImageFolder::Entry> files;
    try {
        files = ImageFolder::list(folder);
    } catch (const FolderError &e) {
        // Like a missing folder: nothing is queued and no image is shown.
        Platform::instance().messageBox(QString::fromLocal8Bit(e.what()));
        return;
    }

    for (const ImageFolder::Entry &file : files) {
        QString ext = ImageFolder::extensionName(file.name).toLower();
        fileTypeAccepted = false;
        chain->sendToChain(ext);
        if (fileTypeAccepted) {
            auto item = std::make_shared<ParseObject>();
            item->init(file.path);
            imageStack->add(item);
        }
    }

    auto next = std::make_shared<Cmd2>();
    next->init(md);
    static_cast<Command &>(*next).Execute();
}

void State2::Command2(QString &)
{
    if (imageStack && imageStack->hasMoreElements()) {
        auto item = std::static_pointer_cast<ParseObject>(imageStack->NextElement());
        item->Execute();
        // While the user looks at this one, the next ones are decoded.
        QStringList next;
        for (std::size_t ahead = 0; ahead < Prefetcher::Depth; ++ahead) {
            if (auto item = std::static_pointer_cast<ParseObject>(imageStack->peek(ahead)))
                next << item->path();
        }
        Prefetcher::shared().request(next);
        return;
    }

    Prefetcher::shared().drop();
    Platform::instance().messageBox(QStringLiteral("Last image reached."));
    try {
        CompleteSlideShow();
    } catch (const DocumentError &e) {
        // What was written stays; the batch still ends.
        Platform::instance().messageBox(QString::fromLocal8Bit(e.what()));
    }
    md->StartStateFour();
}
