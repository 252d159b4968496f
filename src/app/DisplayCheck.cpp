#include "app/DisplayCheck.h"

#include <QCoreApplication>
#include <QList>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

struct HeldMessage
{
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};

QList<HeldMessage> heldMessages;
QtMessageHandler qtHandler = nullptr;
QString noDisplay; // in the user's language, made while it could be

void passOn(const HeldMessage &m)
{
    const QMessageLogContext context(m.file.constData(), m.line, m.function.constData(), m.category.constData());
    if (qtHandler)
        qtHandler(m.type, context, m.text);
}

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg && text.contains(QLatin1String("Qt platform plugin"))) {
        std::fprintf(stderr, "%s\n", qPrintable(noDisplay));
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE); // the application is half made: nothing may run after this
    }
    heldMessages.append({type, context.file, context.function, context.category, context.line, text});
    if (type == QtFatalMsg)
        DisplayCheck::releaseMessages(); // Qt aborts after this handler returns
}

} // namespace

QString DisplayCheck::noDisplayMessage()
{
    return QCoreApplication::translate("DisplayCheck",
                                       "Larderly is a desktop program and found no display to open its window on.");
}

bool DisplayCheck::displayNamed()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

void DisplayCheck::holdMessages()
{
    noDisplay = noDisplayMessage();
    qtHandler = qInstallMessageHandler(holdMessage);
}

void DisplayCheck::releaseMessages()
{
    qInstallMessageHandler(qtHandler);
    for (const HeldMessage &m : std::exchange(heldMessages, {}))
        passOn(m);
}
