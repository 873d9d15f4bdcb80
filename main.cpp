// SPDX-License-Identifier: MIT
#include "core/commandline.h"
#include "core/general.h"
#include "core/translations.h"
#include "platform/platform.h"
#include "platform/qtplatform.h"
#include "ui/form2.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    // make, --help and --version run without a window, and without a display.
    if (CommandLine::isFor(argc, argv))
        return CommandLine::run(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fotoweave"));
    QApplication::setApplicationVersion(QStringLiteral(FOTOWEAVE_VERSION));
    Translations::install(QApplication::applicationDirPath());

    Platform::install(std::make_unique<QtPlatform>());
    General::Main();
    Form2::instance()->show();
    return app.exec();
}
