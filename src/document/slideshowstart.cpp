// SPDX-License-Identifier: MIT
#include "document/slideshowstart.h"

#include "document/documenterror.h"
#include "document/slideshow.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString slideCount(qsizetype n)
{
    if (n == 0)
        return QCoreApplication::translate("SlideShowStart", "no slides");
    return n == 1 ? QCoreApplication::translate("SlideShowStart", "1 slide") : QCoreApplication::translate("SlideShowStart", "%1 slides").arg(n);
}

QString continueQuestion(const QString &path, const SlideShowReader &show)
{
    const QString where = QDir::toNativeSeparators(path);
    const qsizetype n = show.slides().size();
    QString what;
    if (show.cutShort()) {
        what = (show.name() ? QCoreApplication::translate("SlideShowStart", "\"%1\" holds the slide show \"%2\", ").arg(where, *show.name())
                            : QCoreApplication::translate("SlideShowStart", "\"%1\" holds a slide show that was ").arg(where))
            + QCoreApplication::translate("SlideShowStart", "cut short at its end, as a crash or a full disk leaves a page. ")
            + (n == 0 ? QCoreApplication::translate("SlideShowStart", "It holds no complete slide.")
                      : n == 1 ? QCoreApplication::translate("SlideShowStart", "Its 1 complete slide is kept.")
                               : QCoreApplication::translate("SlideShowStart", "Its %1 complete slides are kept.").arg(n));
    } else {
        what = show.name()
            ? QCoreApplication::translate("SlideShowStart", "\"%1\" holds the slide show \"%2\" with %3.").arg(where, *show.name(), slideCount(n))
            : QCoreApplication::translate("SlideShowStart", "\"%1\" holds an unfinished slide show with %2.").arg(where, slideCount(n));
    }
    return what + QCoreApplication::translate("SlideShowStart", "\n\nContinue it, adding new photos after its last slide, or replace it with a new slide show?");
}

QString replaceQuestion(const QString &path, const QString &reason)
{
    return QCoreApplication::translate("SlideShowStart", "\"%1\" is not a slide show that can be continued: %2.\n\nReplace it with a new slide show?")
        .arg(QDir::toNativeSeparators(path), reason);
}
}

bool SlideShowStart::prepare(const QString &folder, SlideShow &show)
{
    if (folder.isEmpty())
        return true; // creating the document says what is missing

    Platform &platform = Platform::instance();
    SlideShow::Plan plan;
    try {
        plan.templates = SlideShowTemplates::read();
    } catch (const DocumentError &e) {
        platform.messageBox(QString::fromLocal8Bit(e.what()));
        return false;
    }
    if (!show.holdsLockOn(folder)) {
        plan.lock = std::make_unique<TargetLock>(folder);
        if (!plan.lock->tryLock()) {
            if (plan.lock->isHeldElsewhere()) {
                platform.messageBox(plan.lock->refusal());
                return false;
            }
            // No file can be made there; creating the page will say why.
            plan.lock.reset();
        }
    }

    const QString path = folder + QLatin1Char('/') + QLatin1String(SlideShowFileName);
    const QFileInfo existing(path);
    if (existing.exists() || existing.isSymLink()) {
        SlideShowReader show;
        if (show.read(path, *plan.templates)) {
            const QStringList answers{QCoreApplication::translate("SlideShowStart", "Continue"), QCoreApplication::translate("SlideShowStart", "Replace"), QCoreApplication::translate("SlideShowStart", "Cancel")};
            const int answer = platform.question(continueQuestion(path, show), answers, 0, 2);
            if (answer == 2)
                return false;
            if (answer == 0) {
                plan.continued = std::move(show);
                plan.record = ShowRecord::load(path);
            }
        } else {
            const QStringList answers{QCoreApplication::translate("SlideShowStart", "Replace"), QCoreApplication::translate("SlideShowStart", "Cancel")};
            if (platform.question(replaceQuestion(path, show.reason()), answers, 1, 1) != 0)
                return false;
        }
        plan.keepOld = !plan.continued;
    }
    show.setPlan(std::move(plan));
    return true;
}
