#include "app/CommandLine.h"

#include "resources/AppInfo.h"

#include <QCommandLineParser>

#include <cstdio>

namespace {

void print(FILE *stream, const QString &text)
{
    std::fputs(qPrintable(text), stream);
    std::fflush(stream);
}

QList<QCommandLineOption> qtOptions()
{
    QList<QCommandLineOption> options;
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin", "display", "session", "style",
                             "stylesheet", "qwindowgeometry", "qwindowtitle", "qwindowicon"})
        options.append(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
        options.append(QCommandLineOption(QString::fromLatin1(name)));
    for (QCommandLineOption &option : options)
        option.setFlags(QCommandLineOption::HiddenFromHelp);
    return options;
}

} // namespace

CommandLine::CommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions); // -platform, as Qt reads it
    parser.setApplicationDescription(tr("A recipe box for the desktop: keep, search and print your recipes."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOptions(qtOptions());

    if (!parser.parse(arguments)) {
        print(stderr, tr("larderly: %1\nTry 'larderly --help' for more information.\n").arg(parser.errorText()));
        m_exitStatus = EXIT_FAILURE;
    } else if (!parser.positionalArguments().isEmpty()) {
        print(stderr,
              tr("larderly: unexpected argument '%1'\nTry 'larderly --help' for more information.\n")
                  .arg(parser.positionalArguments().constFirst()));
        m_exitStatus = EXIT_FAILURE;
    } else if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // The usage line names the program as it is called, not by the path it was started with.
        print(stdout, parser.helpText().replace(QCoreApplication::arguments().value(0), QStringLiteral("larderly")));
        m_exitStatus = EXIT_SUCCESS;
    } else if (parser.isSet(version)) {
        print(stdout, AppInfo::title() + u' ' + AppInfo::version() + u'\n');
        m_exitStatus = EXIT_SUCCESS;
    }
    m_namesPlatform = parser.isSet(QStringLiteral("platform"));
}
