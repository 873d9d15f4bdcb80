// SPDX-License-Identifier: MIT
#include "platform/qtplatform.h"

#include "ui/browsedphotos.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <QVersionNumber>

#include <cstdio>
#include <unistd.h>

namespace {
/** Keeps a box wide enough that the window system need not cut its title. */
void fitTitle(QMessageBox &box)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    // Room for the title in the title bar's font, with the frame's buttons beside it.
    const int width = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(box.windowTitle()) + 160;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}
}

void QtPlatform::messageBox(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, appTitle(), text, QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText); // names and system messages are never read as markup
    fitTitle(box);
    box.exec();
}

int QtPlatform::question(const QString &text, const QStringList &answers, int defaultAnswer, int cancelAnswer)
{
    QMessageBox box(QMessageBox::Question, appTitle(), text, QMessageBox::NoButton, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    QList<QAbstractButton *> buttons;
    for (qsizetype i = 0; i < answers.size(); ++i)
        buttons << box.addButton(answers[i], i == cancelAnswer ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
    if (defaultAnswer >= 0 && defaultAnswer < buttons.size())
        box.setDefaultButton(static_cast<QPushButton *>(buttons[defaultAnswer]));
    if (cancelAnswer >= 0 && cancelAnswer < buttons.size())
        box.setEscapeButton(buttons[cancelAnswer]);
    fitTitle(box);
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return chosen < 0 ? cancelAnswer : int(chosen);
}

QString QtPlatform::browseForFolder(const QString &prompt, const QString &startFolder)
{
    // Qt's folder dialog writes its history and layout into the user's
    // settings when it is destroyed, and reads them when it opens. Only the
    // program's own settings file belongs there, so for the dialog's lifetime
    // the settings live in a scratch folder that is removed afterwards, and
    // the standard place is given back at once. The desktop's own dialog is
    // not used: it keeps recent folders of its own.
    QTemporaryDir scratch;
    const auto settingsIn = [](const QString &path) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path);
    };
    settingsIn(scratch.isValid() ? scratch.path() : QStringLiteral("/nonexistent"));

    QWidget *owner = QApplication::activeWindow();
    const QString start = QFileInfo(startFolder).isDir() ? startFolder : QDir::homePath();
    QString folder;
    {
        QFileDialog dialog(owner, prompt, start);
        dialog.setOptions(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::Directory);
        // The photos in each folder are listed, greyed: the user sees which folder holds them.
        dialog.setProxyModel(new BrowsedPhotos(&dialog));
        const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
        folder = chosen ? dialog.selectedFiles().constFirst() : QString();
    }
    settingsIn(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    if (owner) {
        // The window below was covered: let it paint before the caller goes on working.
        owner->repaint();
    }
    return folder;
}

QString QtPlatform::browseForFile(const QString &prompt, const QString &startFolder, const QString &filter)
{
    // As the folder browser: the dialog's settings live in a scratch folder for its lifetime.
    QTemporaryDir scratch;
    const QString settingsPath = scratch.isValid() ? scratch.path() : QStringLiteral("/nonexistent");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsPath);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsPath);

    QWidget *owner = QApplication::activeWindow();
    const QString start = QFileInfo(startFolder).isDir() ? startFolder : QDir::homePath();
    QFileDialog dialog(owner, prompt, start, filter);
    dialog.setOptions(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    const QString file = chosen ? dialog.selectedFiles().constFirst() : QString();
    if (owner)
        owner->repaint();
    return file;
}

bool QtPlatform::openDocument(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
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
