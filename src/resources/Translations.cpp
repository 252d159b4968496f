#include "resources/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QTranslator>

Q_LOGGING_CATEGORY(lcTranslations, "larderly.translations", QtInfoMsg)

void Translations::install()
{
    const QLocale locale;
    // Ours are built into the program; Qt's come with it (qt6-translations-l10n).
    const QString names[] = {QStringLiteral("larderly"), QStringLiteral("qtbase")};
    const QString folders[] = {QStringLiteral(":/i18n"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    for (int i = 0; i < 2; ++i) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(locale, names[i], QStringLiteral("_"), folders[i])) {
            QCoreApplication::installTranslator(translator);
            continue;
        }
        delete translator;
        if (locale.language() != QLocale::English && locale.language() != QLocale::C)
            qCInfo(lcTranslations) << "no translation" << names[i] << "for" << locale.name();
    }
}
