// SPDX-License-Identifier: MIT
#include "core/general.h"

#include "document/slideshow.h"
#include "platform/platform.h"

#include <exception>

#include <QCoreApplication>

std::unique_ptr<Mediator> objMediator;

namespace General {

void Main()
{
    objMediator = std::make_unique<Mediator>();
    objMediator->init();
}

void runHandler(const std::function<void()> &handler)
{
    QString failure;
    try {
        handler();
        return;
    } catch (const std::exception &e) {
        failure = QString::fromLocal8Bit(e.what());
    } catch (...) {
        failure = QCoreApplication::translate("General", "An unexpected failure occurred.");
    }
    Platform::instance().messageBox(failure);
    if (objMediator)
        objMediator->slideShow().close();
    Platform::instance().endProgram();
}

} // namespace General
