#pragma once

#include <QCoreApplication>
#include <QStringList>

#include <optional>

// The program's command line, read before any window system is touched: --help and --version
// are answered on standard output, an unknown option or argument on standard error. Qt's own
// window-system options (-platform, -display, -session, ...) are let through to Qt.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    explicit CommandLine(const QStringList &arguments);

    // The exit status when the command line has been answered and the program must end.
    std::optional<int> exitStatus() const { return m_exitStatus; }
    // True when the command line names a platform of Qt's to show windows on.
    bool namesPlatform() const { return m_namesPlatform; }

private:
    std::optional<int> m_exitStatus;
    bool m_namesPlatform = false;
};
