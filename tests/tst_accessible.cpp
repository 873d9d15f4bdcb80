// SPDX-License-Identifier: MIT
// What a screen reader finds in each window, what it is told as photos change,
// and captions typed right to left.
#include "windowprogram.h"

#include "ui/accessiblewidget.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/frmabout.h"
#include "ui/fullscreenpreview.h"
#include "ui/picturebox.h"
#include "ui/showeditor.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QtTest>

namespace {
QList<QPair<QObject *, QAccessible::Event>> s_events;

/** Every control reached below node that a user works with or reads as a whole, with a name missing or used twice, or focusable without a role. */
void walk(QAccessibleInterface *node, QStringList &names, QStringList &faults, QSet<QObject *> &reached)
{
    static const QSet<QAccessible::Role> named{QAccessible::PushButton, QAccessible::CheckBox, QAccessible::EditableText,
                                               QAccessible::List, QAccessible::MenuItem, QAccessible::Graphic};
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface *child = node->child(i);
        reached.insert(child->object());
        // Told apart by role and name; a picture that is not shown needs no name.
        const QString name = QString::number(child->role()) + QLatin1Char(' ') + child->text(QAccessible::Name);
        const bool read = child->role() != QAccessible::Graphic || !child->state().invisible;
        if (named.contains(child->role()) && read && (name.endsWith(QLatin1Char(' ')) || names.contains(name)))
            faults << child->object()->objectName() + QStringLiteral(" named \"%1\"").arg(name);
        names << name;
        auto *widget = qobject_cast<QWidget *>(child->object());
        if (widget && widget->focusPolicy() != Qt::NoFocus && !named.contains(child->role()))
            faults << widget->objectName() + QStringLiteral(" has role %1").arg(child->role());
        walk(child, names, faults, reached);
    }
}
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
        QWidget *shown = editor ? static_cast<QWidget *>(editor) : window == QLatin1String("main") ? p->form()
            : window == QLatin1String("images")                       ? static_cast<QWidget *>(p->dialog())
            : window == QLatin1String("about")                        ? static_cast<QWidget *>(frmAbout::instance())
                                                                      : p->form()->fullScreenPreview();
        QStringList names, faults;
        QSet<QObject *> reached;
        walk(QAccessible::queryAccessibleInterface(shown), names, faults, reached);
        for (QWidget *widget : shown->findChildren<QWidget *>())
            if (AccessibleWidget::isDecorative(widget) && reached.contains(widget))
                faults << widget->objectName() + QStringLiteral(" is decoration, yet reached");
        delete editor.data();
        QCOMPARE(faults.join(QLatin1String("; ")), QString());
    }

    // Read by the screen reader as the preview's description, and announced as it changes.
    void previewAndStatusAreAnnounced()
    {
        QFile::copy(fixture(QStringLiteral("rotated.jpg")), p->source(QStringLiteral("rotated.jpg")));
        writeImage(p->source(QStringLiteral("s1.jpg")));
        writeImage(p->source(QStringLiteral("s2.jpg")));
        Form2 *form = p->form();
        QCOMPARE(form->PicBox->accessibleDescription(), QStringLiteral("No photo"));
        p->startBatch();
        QCOMPARE(form->PicBox->accessibleDescription(), QStringLiteral("Photo 1 of 3: rotated.jpg, 100 × 200"));
        QCOMPARE(form->fullScreenPreview()->accessibleDescription(), form->PicBox->accessibleDescription());
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            QSKIP("Announced only where assistive technology listens: tests/a11ybus.sh runs this");
        QTRY_VERIFY(QAccessible::isActive());
        const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(
            [](QAccessibleEvent *event) { s_events.append({event->object(), event->type()}); });
        s_events.clear();
        p->skip();
        QAccessible::installUpdateHandler(previous);
        QCOMPARE(form->PicBox->accessibleDescription(), QStringLiteral("Photo 2 of 3: s1.jpg, 20 × 20"));
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
        QLineEdit *caption = p->form()->txtCaption;
        QTest::sendKeyEvent(QTest::Click, caption, Qt::Key_unknown, typed, Qt::NoModifier);
        QCOMPARE(caption->text(), typed);
        QCOMPARE(caption->layoutDirection(), direction);
        QCOMPARE(p->form()->fullScreenPreview()->caption()->layoutDirection(), direction);
    }
};

QTEST_MAIN(tst_Accessible)
#include "tst_accessible.moc"
