// SPDX-License-Identifier: MIT
#include "imaging/parseobject.h"

#include "imaging/decobj.h"
#include "imaging/decorator.h"

void ParseObject::Execute()
{
    std::shared_ptr<AbstractDecorator> decorator = std::make_shared<Decorator>();
    auto worker = std::make_shared<DecObj>();
    worker->init(imagePath, m_status);
    decorator->init(worker);
    decorator->ShowIt();
}
