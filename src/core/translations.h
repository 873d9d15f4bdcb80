// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>
#include <QString>

/**
 * Puts the program's texts, and Qt's own (standard buttons, the folder
 * browser), into the user's language. English is the language the texts are
 * written in, so it needs no translation; a language without one stays English.
 */
class Translations
{
public:
    /**
     * Installs the translations found in folder for the first of locale's
     * languages that has one, replacing any installed before. A C or POSIX
     * locale, or English coming first, keeps the texts as written.
     */
    static void install(const QString &folder, const QLocale &locale = QLocale::system());
};
