// SPDX-License-Identifier: MIT
#include "ui/accessiblewidget.h"

#include <QWidget>

namespace {
constexpr char DecorativeProperty[] = "accessibleDecorative";
}

AccessibleWidget::AccessibleWidget(QWidget *widget, QAccessible::Role role)
    : QAccessibleWidget(widget, role)
{
}

void AccessibleWidget::install() { QAccessible::installFactory(&AccessibleWidget::create); }

void AccessibleWidget::setDecorative(QWidget *widget)
{
    widget->setProperty(DecorativeProperty, true);
    widget->setFocusPolicy(Qt::NoFocus);
}

bool AccessibleWidget::isDecorative(const QObject *object)
{
    return object && object->property(DecorativeProperty).toBool();
}

QAccessibleInterface *AccessibleWidget::create(const QString &className, QObject *object)
{
    // Asked with the most derived class first, before Qt's own factory: only
    // classes that Qt would describe as a plain widget are answered here, and
    // none of Qt's own parts (a list's viewport, for one, is described with its list).
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget || widget->objectName().startsWith(QLatin1String("qt_")))
        return nullptr;
    if (className == QLatin1String("PictureBox"))
        return new AccessibleWidget(widget, QAccessible::Graphic);
    if (className == QLatin1String("QDialog"))
        return new AccessibleWidget(widget, QAccessible::Dialog);
    if (className == QLatin1String("QWidget"))
        return new AccessibleWidget(widget, QAccessible::Client);
    return nullptr;
}

QList<QAccessibleInterface *> AccessibleWidget::shownChildren() const
{
    QList<QAccessibleInterface *> children;
    for (int i = 0, n = QAccessibleWidget::childCount(); i < n; ++i) {
        QAccessibleInterface *child = QAccessibleWidget::child(i);
        if (child && !isDecorative(child->object()))
            children << child;
    }
    return children;
}

int AccessibleWidget::childCount() const { return int(shownChildren().size()); }

QAccessibleInterface *AccessibleWidget::child(int index) const { return shownChildren().value(index); }

int AccessibleWidget::indexOfChild(const QAccessibleInterface *child) const
{
    return int(shownChildren().indexOf(const_cast<QAccessibleInterface *>(child)));
}

QAccessibleInterface *AccessibleWidget::childAt(int x, int y) const
{
    QAccessibleInterface *found = QAccessibleWidget::childAt(x, y);
    return found && isDecorative(found->object()) ? nullptr : found;
}

QAccessible::State AccessibleWidget::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    if (isDecorative(object()))
        state.invisible = true; // asked for directly, it still says it is not there to be read
    return state;
}
