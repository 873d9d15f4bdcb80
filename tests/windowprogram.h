// SPDX-License-Identifier: MIT
#pragma once

#include "testsupport.h"

#include <QRgb>

class Form1;
class Form2;
class QAbstractButton;

/** The program with its windows: the main window shown, every step taken through the real widgets. */
class WindowProgram : public TestProgram
{
public:
    explicit WindowProgram(const QString &configFolder = QString());
    ~WindowProgram() override;

    /** The main window. */
    Form2 *form() const;
    /** The Images window (the batch dialog). */
    Form1 *dialog() const;
    /** The colour at the centre of the preview box. */
    QRgb centre() const;

    /** Opens the Images window and picks the folders with its "Select..." buttons. */
    void chooseFolders(const QString &source, const QString &target = QString()) override;
    void setWebSized(bool on) override;
    void setOfferSkippedAgain(bool on) override;
    /** Presses Start in the Images window. */
    void start() override;
    /** Types caption into the caption box and presses "Add to SlideShow". */
    void add(const QString &caption = QString()) override;
    void skip() override;
    void back() override;
    void close() override;

private:
    /** Clicks a button and waits for the preview it leads to. */
    static void click(QAbstractButton *button);
};
