// SPDX-License-Identifier: MIT
#include "platform/qtplatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QUrl>
#include <QVersionNumber>

#include <cstdio>
#include <unistd.h>

void QtPlatform::messageBox(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, appTitle(), text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

int QtPlatform::question(const QString &text, const QStringList &answers, int defaultAnswer, int cancelAnswer)
{
    QMessageBox box(QMessageBox::Question, appTitle(), text, QMessageBox::NoButton, QApplication::activeWindow());
    QList<QAbstractButton *> buttons;
    for (qsizetype i = 0; i < answers.size(); ++i)
        buttons << box.addButton(answers[i], i == cancelAnswer ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
    if (defaultAnswer >= 0 && defaultAnswer < buttons.size())
        box.setDefaultButton(static_cast<QPushButton *>(buttons[defaultAnswer]));
    if (cancelAnswer >= 0 && cancelAnswer < buttons.size())
        box.setEscapeButton(buttons[cancelAnswer]);
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return chosen < 0 ? cancelAnswer : int(chosen);
}

QString QtPlatform::browseForFolder(const QString &prompt)
{
    return QFileDialog::getExistingDirectory(nullptr, prompt, QString(), QFileDialog::ShowDirsOnly);
}

void QtPlatform::openDocument(const QString &path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void QtPlatform::endProgram()
{
    // No further handler may run: leave without unwinding the event loop.
    std::fflush(nullptr);
    ::_exit(0);
}

QString QtPlatform::tempFolder() const
{
    QString folder = QDir::toNativeSeparators(QDir::tempPath());
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return folder;
}

QString QtPlatform::programFolder() const
{
    return QCoreApplication::applicationDirPath();
}

QString QtPlatform::appTitle() const
{
    return QCoreApplication::applicationName();
}

namespace {
int versionPart(int index)
{
    return QVersionNumber::fromString(QCoreApplication::applicationVersion()).segmentAt(index);
}
}

int QtPlatform::versionMajor() const { return versionPart(0); }
int QtPlatform::versionMinor() const { return versionPart(1); }
int QtPlatform::versionRevision() const { return versionPart(2); }

std::optional<RegistryValue> QtPlatform::readRegistry(const QString &, const QString &)
{
    // This desktop has no registry: every key is missing.
    return std::nullopt;
}

bool QtPlatform::fileExists(const QString &path)
{
    return QFileInfo(path).isFile();
}

bool QtPlatform::startProgram(const QString &path)
{
    return QProcess::startDetached(path, {});
}
