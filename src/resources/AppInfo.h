#pragma once

#include <QString>

// The program's fixed properties, set when it is built.
class AppInfo
{
public:
    static QString title() { return QStringLiteral("Larderly"); }
    static constexpr int Major = 1;
    static constexpr int Minor = 0;
    static constexpr int Revision = 0;
};
