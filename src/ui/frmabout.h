// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class PictureBox;
class QFrame;
class QLabel;
class QPushButton;

/** The about box: the program's title, version and description, and a way to the system information program. */
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    /** The open about box, or a newly loaded one when none is open. */
    static frmAbout *instance();

    static constexpr quint32 HKEY_LOCAL_MACHINE = 0x80000002;

    PictureBox *picIcon = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblDescription = nullptr;
    QLabel *lblDisclaimer = nullptr;
    QFrame *Line1 = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;

    void cmdOK_Click();
    void cmdSysInfo_Click();
    /** Starts the system information program, or says that it is unavailable. */
    void StartSysInfo();
    /** Reads a registry value as text; false, with KeyVal empty, when it cannot be read. */
    bool GetKeyValue(quint32 KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal);

private:
    explicit frmAbout(QWidget *parent);
    void Form_Load();
};
