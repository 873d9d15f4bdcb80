// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QLineEdit;

/**
 * Lets a folder box take a typed or pasted path. On Enter or when the box
 * loses the focus, a path naming an existing folder is handed on exactly as a
 * choice in the folder browser would be; any other path is marked in the box
 * (red frame, the reason as tooltip) and not taken.
 */
class TypedFolder : public QObject
{
    Q_OBJECT

public:
    /** take receives the folder; current gives the folder taken now, so an unchanged box does nothing. */
    TypedFolder(QLineEdit *box, std::function<QString()> current, std::function<void(const QString &)> take);

    /** Why path cannot be taken as a folder; empty text when it can. */
    static QString problem(const QString &path);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void check();
    void mark(const QString &reason);

    QLineEdit *m_box;
    std::function<QString()> m_current;
    std::function<void(const QString &)> m_take;
};
