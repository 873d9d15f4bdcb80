// SPDX-License-Identifier: MIT
#pragma once

#include "imaging/imagefolder.h"

#include <QDialog>
#include <QSet>

#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

/**
 * The batch dialog: shows the chosen source and target folders and the images
 * found, and starts the slide show. It is only ever hidden, so it reopens
 * with the folders and list of the previous time.
 */
class Form1 : public QDialog
{
    Q_OBJECT

public:
    /** The dialog, created on first use as a child of the main window. */
    static Form1 *instance();

    QGroupBox *Frame1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *txtSrcFolder = nullptr;
    QPushButton *btnSource = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *txtTgtFolder = nullptr;
    QPushButton *btnTarget = nullptr;
    QLabel *Label3 = nullptr;
    QListWidget *List1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QCheckBox *chkWebSized = nullptr;
    /** A continued show offers the photos skipped in its earlier sittings too. */
    QCheckBox *chkOfferSkipped = nullptr;
    /** How many photos of the source are not offered, and why; empty when none. */
    QLabel *lblLeftOut = nullptr;

    void btnSource_Click();
    void btnTarget_Click();
    void Command1_Click();
    void Command2_Click();

    /**
     * Says once, below the list, how many photos of the source are left out
     * and why; the tooltip names each. Nothing when leftOut is empty.
     */
    void showLeftOut(const std::vector<ImageFolder::LeftOut> &leftOut);
    /** Fills the list with the photos the source offers, and says what is left out. */
    void showListing(const QStringList &names, const std::vector<ImageFolder::LeftOut> &leftOut);
    /** Takes names off the list: photos the batch does not show. */
    void trimListing(const QSet<QString> &names);

    /** Takes folder as the source, as a choice with the source "Select..." does. */
    void takeSource(const QString &folder);

protected:
    void showEvent(QShowEvent *event) override;

private:
    explicit Form1(QWidget *parent);
    /** The web-sized option says where its copies go: beside the originals they go into a folder of their own. */
    void updateWebSized();
    /** While a continued show keeps its size, the box shows it and cannot be changed; the person's choice waits. */
    void followShowsSize(bool on, bool webSized);

    bool m_sizeForced = false;
};
