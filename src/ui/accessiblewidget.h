// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleWidget>

/**
 * What assistive technology is told of the windows' own widgets where Qt's
 * account falls short: a picture box is a graphic, and a widget marked
 * decorative (the film strip, the About box's icon) is left out of its
 * parent's children, so that screen readers never reach it. Qt 6 has no flag
 * that takes a widget out of the accessibility tree, so the factory installed
 * here answers for picture boxes, plain containers and dialogs.
 */
class AccessibleWidget : public QAccessibleWidget
{
public:
    /** Answers for those widgets from now on; calling it again does nothing. */
    static void install();
    /** Leaves widget out of the tree assistive technology walks. */
    static void setDecorative(QWidget *widget);
    static bool isDecorative(const QObject *object);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessible::State state() const override;

private:
    AccessibleWidget(QWidget *widget, QAccessible::Role role);
    static QAccessibleInterface *create(const QString &className, QObject *object);
    /** Qt's own children of the widget, without the decorative ones. */
    QList<QAccessibleInterface *> shownChildren() const;
};
