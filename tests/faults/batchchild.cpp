// SPDX-License-Identifier: MIT
// Runs a batch in a folder, adds the first k images with captions, says
// "ready" and waits to be killed: what a crash leaves behind can then be read.
#include "../testsupport.h"

#include "core/general.h"
#include "ui/form1.h"
#include "ui/form2.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    auto platform = std::make_unique<ScriptedPlatform>(QStringLiteral(FOTOWEAVE_ASSETS_DIR));
    ScriptedPlatform *script = platform.get();
    Platform::install(std::move(platform));
    General::Main();
    Form2::instance()->mnuOpen->trigger();
    script->folderAnswers.enqueue(QString::fromLocal8Bit(argv[1]));
    Form1::instance()->btnSource->click();
    Form1::instance()->Command1->click();
    const int entries = QByteArray(argv[2]).toInt();
    for (int i = 1; i <= entries; ++i) {
        Form2::instance()->txtCaption->setText(QStringLiteral("caption %1").arg(i));
        Form2::instance()->Command4->click();
    }
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;)
        QThread::sleep(1);
}
