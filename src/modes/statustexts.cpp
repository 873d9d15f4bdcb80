// SPDX-License-Identifier: MIT
#include "modes/statustexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>

namespace StatusTexts {

QString position(int number, int count, const QString &fileName, int added, int inShow)
{
    // One pass, so a "%1" in a file name stays as it is.
    return QCoreApplication::translate("StatusTexts", "%1 of %2 · %3 · %4 added")
               .arg(QString::number(number), QString::number(count), fileName, QString::number(added))
        + (inShow < 0 ? QString() : QCoreApplication::translate("StatusTexts", ", %1 in the show").arg(inShow));
}

QString summary(int added, int count, const QString &page, int inShow)
{
    const QString slides = inShow == 1 ? QCoreApplication::translate("StatusTexts", "1 slide") : QCoreApplication::translate("StatusTexts", "%1 slides").arg(inShow);
    return QCoreApplication::translate("StatusTexts", "%1 of %2 added to %3")
               .arg(QString::number(added), QString::number(count), QDir::toNativeSeparators(page))
        + (inShow < 0 ? QString() : QCoreApplication::translate("StatusTexts", "; the show holds ") + slides);
}

QString finished(int added, int count, const QString &page, int inShow)
{
    return QCoreApplication::translate("StatusTexts", "Finished: ") + summary(added, count, page, inShow);
}

QString imageSize(QSize pixels, qint64 bytes)
{
    return QCoreApplication::translate("StatusTexts", "%1 × %2 px, %3")
        .arg(QString::number(pixels.width()), QString::number(pixels.height()),
             QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat));
}

QString windowTitle(const QString &showName)
{
    const QString program = QStringLiteral("Fotoweave");
    return showName.trimmed().isEmpty() ? program : showName + QStringLiteral(" – ") + program;
}

} // namespace StatusTexts
