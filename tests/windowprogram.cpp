// SPDX-License-Identifier: MIT
#include "windowprogram.h"

#include "core/mediator.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/picturebox.h"

#include <QtWidgets>
#include <QtTest>

WindowProgram::WindowProgram(const QString &configFolder)
    : TestProgram(configFolder)
{
    form()->show();
}

WindowProgram::~WindowProgram() { Form2::unload(); }

Form2 *WindowProgram::form() const { return Form2::instance(); }
Form1 *WindowProgram::dialog() const { return Form1::instance(); }

QRgb WindowProgram::centre() const { return form()->PicBox->drawing().pixel(116, 116); }

void WindowProgram::chooseFolders(const QString &source, const QString &target)
{
    form()->mnuOpen->trigger();
    platform().folderAnswers.enqueue(source);
    QTest::mouseClick(dialog()->btnSource, Qt::LeftButton);
    QVERIFY(waitForPreview());
    if (!target.isEmpty()) {
        platform().folderAnswers.enqueue(target);
        QTest::mouseClick(dialog()->btnTarget, Qt::LeftButton);
    }
}

void WindowProgram::setWebSized(bool on) { dialog()->chkWebSized->setChecked(on); }
void WindowProgram::setOfferSkippedAgain(bool on) { dialog()->chkOfferSkipped->setChecked(on); }

void WindowProgram::start()
{
    click(dialog()->Command1);
    m_started = !dialog()->isVisible();
    if (m_started) {
        // As a window manager would once the Images window has closed (after
        // what the platform still has to say about the window that closed).
        QCoreApplication::processEvents();
        QApplication::setActiveWindow(form());
        QVERIFY(QTest::qWaitForWindowActive(form()));
    }
}

void WindowProgram::add(const QString &caption)
{
    QTest::keyClicks(form()->txtCaption, caption);
    click(form()->Command4);
}

void WindowProgram::skip() { click(form()->Next); }
void WindowProgram::back() { click(form()->btnBack); }

void WindowProgram::click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(waitForPreview());
}

void WindowProgram::close() { form()->mnuClose->trigger(); }
