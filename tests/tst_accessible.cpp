// SPDX-License-Identifier: MIT
// What a screen reader finds in each window, what it is told as photos change, and captions typed right to left.
#include "windowprogram.h"

#include "ui/accessiblewidget.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/frmabout.h"
#include "ui/fullscreenpreview.h"
#include "ui/picturebox.h"
#include "ui/showeditor.h"

#include <QtWidgets>
#include <QtTest>

static QList<QPair<QObject *, QAccessible::Event>> s_events;
/** From node down: controls unnamed or named as another of their role, focusable ones without a control's role,
 *  decoration reached. */
static void walk(QAccessibleInterface *node, QStringList &names, QStringList &faults)
{
    static const QSet<QAccessible::Role> named{QAccessible::PushButton, QAccessible::CheckBox, QAccessible::EditableText,
                                               QAccessible::List, QAccessible::MenuItem, QAccessible::Graphic};
    const QString name = QString::number(node->role()) + QLatin1Char(' ') + node->text(QAccessible::Name);
    const bool read = node->role() != QAccessible::Graphic || !node->state().invisible; // a hidden picture is not read
    const auto *widget = qobject_cast<QWidget *>(node->object());
    if ((named.contains(node->role()) && read && (name.endsWith(QLatin1Char(' ')) || names.contains(name)))
        || (!named.contains(node->role()) && widget && widget->focusPolicy() != Qt::NoFocus)
        || AccessibleWidget::isDecorative(widget))
        faults << node->object()->objectName() + QLatin1Char(':') + name;
    names << name;
    for (int i = 0; i < node->childCount(); ++i)
        walk(node->child(i), names, faults);
}

class tst_Accessible : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowProgram> p;

private slots:
    void init() { p = std::make_unique<WindowProgram>(); }
    void cleanup() { p.reset(); }
    void everyControlIsNamed_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *window : {"main", "images", "about", "editor", "full screen"})
            QTest::newRow(window) << window;
    }
    void everyControlIsNamed()
    {
        QFETCH(QString, window);
        const QPointer<ShowEditor> editor = window == QLatin1String("editor") ? ShowEditor::open(p->pagePath()) : nullptr;
        const QMap<QString, QWidget *> windows{{"main", p->form()}, {"images", p->dialog()}, {"about", frmAbout::instance()},
                                               {"editor", editor}, {"full screen", p->form()->fullScreenPreview()}};
        QStringList names, faults;
        walk(QAccessible::queryAccessibleInterface(windows[window]), names, faults);
        delete editor.data();
        QCOMPARE(faults.join(QLatin1String("; ")), QString());
    }

    void previewIsDescribedAndAnnounced()
    {
        QFile::copy(fixture(QStringLiteral("rotated.jpg")), p->source(QStringLiteral("rotated.jpg"))); // 200 x 100, turned by EXIF
        writeImage(p->source(QStringLiteral("s1.jpg")));
        writeImage(p->source(QStringLiteral("s2.jpg")));
        Form2 *form = p->form();
        QCOMPARE(form->PicBox->accessibleDescription(), QStringLiteral("No photo"));
        p->startBatch();
        QCOMPARE(form->fullScreenPreview()->accessibleDescription(), QStringLiteral("Photo 1 of 3: rotated.jpg, 100 × 200"));
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            QSKIP("Announced only where assistive technology listens: tests/a11ybus.sh runs this");
        QTRY_VERIFY(QAccessible::isActive());
        const QAccessible::UpdateHandler previous
            = QAccessible::installUpdateHandler([](QAccessibleEvent *event) { s_events.append({event->object(), event->type()}); });
        const auto restore = qScopeGuard([previous] { QAccessible::installUpdateHandler(previous); });
        p->skip(); // its preview is prefetched: it may arrive before its position is told
        QTRY_COMPARE(form->PicBox->accessibleDescription(), QStringLiteral("Photo 2 of 3: s1.jpg, 20 × 20"));
        QVERIFY(s_events.contains({form->PicBox, QAccessible::DescriptionChanged}));
        QVERIFY(s_events.contains({form->StatusBar1->findChild<QLabel *>(), QAccessible::NameChanged})); // the status text
    }

    void captionFollowsItsDirection_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Qt::LayoutDirection>("direction");
        QTest::newRow("Hebrew") << "שלום" << Qt::RightToLeft;
        QTest::newRow("Arabic after digits and quotes") << "2024 «مرحبا»" << Qt::RightToLeft;
        QTest::newRow("Latin first, Hebrew after") << "Tel Aviv תל אביב" << Qt::LeftToRight;
    }
    void captionFollowsItsDirection()
    {
        QFETCH(QString, typed);
        QFETCH(Qt::LayoutDirection, direction);
        QLineEdit *caption = p->form()->txtCaption, *fullScreen = p->form()->fullScreenPreview()->caption();
        QTest::sendKeyEvent(QTest::Click, caption, Qt::Key_unknown, typed, Qt::NoModifier);
        QCOMPARE(QList({caption->layoutDirection(), fullScreen->layoutDirection()}), QList({direction, direction}));
    }
};

QTEST_MAIN(tst_Accessible)
#include "tst_accessible.moc"
