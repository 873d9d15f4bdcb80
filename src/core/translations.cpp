// SPDX-License-Identifier: MIT
#include "core/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>
#include <vector>

namespace {

std::vector<std::unique_ptr<QTranslator>> s_installed;

void uninstall()
{
    for (const auto &translator : s_installed)
        QCoreApplication::removeTranslator(translator.get());
    s_installed.clear();
}

void add(std::unique_ptr<QTranslator> translator)
{
    QCoreApplication::installTranslator(translator.get());
    s_installed.push_back(std::move(translator));
}

} // namespace

void Translations::install(const QString &folder, const QLocale &locale)
{
    uninstall();
    // As gettext does, a C locale means the program's own texts whatever LANGUAGE says.
    if (locale.language() == QLocale::C)
        return;
    for (const QString &name : locale.uiLanguages()) {
        const QLocale::Language language = QLocale(name).language();
        if (language == QLocale::English)
            return;
        const QString code = QLocale::languageToCode(language);
        auto ours = std::make_unique<QTranslator>();
        if (!ours->load(QStringLiteral("fotoweave_") + code, folder))
            continue;
        add(std::move(ours));
        auto qt = std::make_unique<QTranslator>();
        if (qt->load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            add(std::move(qt));
        return;
    }
}
