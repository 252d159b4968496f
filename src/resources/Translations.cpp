#include "resources/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QTranslator>

#include <memory>

Q_LOGGING_CATEGORY(lcTranslations, "larderly.translations", QtInfoMsg)

namespace {

// gettext's rule, which every program on the desktop follows: the locale of the messages is the
// first of LC_ALL, LC_MESSAGES and LANG that is set, and under C or POSIX (or none at all) a program
// speaks its own language, whatever LANGUAGE asks for.
bool messagesInTheCLocale()
{
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray locale = qgetenv(variable);
        if (!locale.isEmpty())
            return locale == "C" || locale == "POSIX";
    }
    return true;
}

} // namespace

void Translations::install()
{
    if (messagesInTheCLocale())
        return;
    // The user's languages, best first, as Qt reads them from LANGUAGE or that locale. The first one
    // the program speaks wins: English needs no catalogue.
    QStringList missing;
    for (const QString &name : QLocale::system().uiLanguages()) {
        const QLocale language(name);
        if (language.language() == QLocale::English)
            return;
        if (language.language() == QLocale::C) // C.UTF-8, or a name Qt does not know
            continue;
        // Ours are built into the program.
        auto own = std::make_unique<QTranslator>(QCoreApplication::instance());
        if (!own->load(language, QStringLiteral("larderly"), QStringLiteral("_"), QStringLiteral(":/i18n"))) {
            missing << name;
            continue;
        }
        QCoreApplication::installTranslator(own.release());
        // Qt's own texts (the buttons of a message box) in that language too, and in no other: one
        // language per dialog. They come with Qt (qt6-translations-l10n).
        auto qt = std::make_unique<QTranslator>(QCoreApplication::instance());
        if (qt->load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt.release());
        else
            qCInfo(lcTranslations) << "no translation of Qt's own texts for" << language.name();
        return;
    }
    if (!missing.isEmpty())
        qCInfo(lcTranslations) << "no translation for" << missing.join(u':');
}
