// SPDX-License-Identifier: MIT
#include "ui/typedfolder.h"

#include "ui/controls.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>

TypedFolder::TypedFolder(QLineEdit *box, std::function<QString()> current, std::function<void(const QString &)> take)
    : QObject(box)
    , m_box(box)
    , m_current(std::move(current))
    , m_take(std::move(take))
{
    box->installEventFilter(this);
    connect(box, &QLineEdit::editingFinished, this, &TypedFolder::check);
    // Any new text, typed or set by a choice in the browser, is judged afresh.
    connect(box, &QLineEdit::textChanged, this, [this] { mark(QString()); });
}

QString TypedFolder::problem(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isAbsolute())
        return tr("Type the whole path of a folder, starting with %1").arg(QDir::rootPath());
    if (!info.exists())
        return tr("There is no folder %1").arg(path);
    if (!info.isDir())
        return tr("%1 is a file, not a folder").arg(path);
    if (!info.isReadable() || !info.isExecutable())
        return tr("The folder %1 cannot be read").arg(path);
    return QString();
}

bool TypedFolder::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_box && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter takes the path; it does not press the window's default button.
            check();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void TypedFolder::check()
{
    QString path = m_box->text();
    if (path.isEmpty() || path == m_current())
        return;
    if (!problem(path).isEmpty() && problem(path.trimmed()).isEmpty())
        path = path.trimmed(); // stray blanks around a pasted path
    if (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path = QDir::cleanPath(path); // as the folder browser gives it
    const QString reason = problem(path);
    if (!reason.isEmpty()) {
        mark(reason);
        return;
    }
    if (path != m_current())
        m_take(path);
}

void TypedFolder::mark(const QString &reason)
{
    m_box->setStyleSheet(reason.isEmpty() ? QString() : QStringLiteral("QLineEdit { border: 2px solid #d00000; }"));
    m_box->setToolTip(Controls::plainToolTip(reason));
    m_box->setProperty("folderProblem", reason);
}
