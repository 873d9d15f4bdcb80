// SPDX-License-Identifier: MIT
#include "ui/captiondirection.h"

#include <QLineEdit>

namespace {
void takeDirection(QLineEdit *box, const QString &text)
{
    if (text.isEmpty())
        box->unsetLayoutDirection();
    else
        box->setLayoutDirection(text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
}
}

void CaptionDirection::follow(QLineEdit *box)
{
    QObject::connect(box, &QLineEdit::textChanged, box, [box](const QString &text) { takeDirection(box, text); });
    takeDirection(box, box->text());
}
