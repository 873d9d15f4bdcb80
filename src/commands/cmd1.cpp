// SPDX-License-Identifier: MIT
#include "commands/cmd1.h"

#include "core/mediator.h"

void cmd1::init(Mediator *md)
{
    this->md = md;
    md->createSlideShow();
    md->registerCmd1(shared_from_this());
}

void cmd1::Execute()
{
    QString s = md->GetSourceFile();
    md->Command1(s);
}
