// SPDX-License-Identifier: MIT
#include "commands/cmd2.h"

#include "core/mediator.h"

void Cmd2::init(Mediator *md)
{
    this->md = md;
    md->registerCmd2(shared_from_this());
}

void Cmd2::Execute()
{
    QString placeholder = QStringLiteral("test");
    md->Command2(placeholder);
}
