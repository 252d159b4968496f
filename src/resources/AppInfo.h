#pragma once

#include "resources/Version.h"

#include <QCoreApplication>
#include <QString>

// The program's fixed properties, set when it is built.
namespace AppInfo {

inline QString title()
{
    return QStringLiteral("Larderly");
}

// The maker's two web sites: the main one and the one with its recipe archive.
inline QString mainSite()
{
    return QStringLiteral("http://www.kettlebay.com");
}
inline QString archiveSite()
{
    return QStringLiteral("http://recipes.kettlebay.com");
}

// No help file comes with the program, so Help > Contents names whom to contact instead.
inline QString helpFile()
{
    return QString();
}
inline QString supportAddress()
{
    return QStringLiteral("support@kettlebay.com");
}

// The splash screen's copyright notice. The maker's name stands on the line below it, and the
// notice has to fit its 129-pixel label in the 8.25-point font.
inline QString copyrightNotice()
{
    return QCoreApplication::translate("AppInfo", "Copyright © 2026");
}

// The warning notice of the splash screen and the About box.
inline QString warningNotice()
{
    return QCoreApplication::translate("AppInfo",
                                       "Warning: this program is protected by copyright. Copying or "
                                       "distributing it, or any part of it, without permission from "
                                       "Kettlebay is not allowed.");
}

// "1.0.0", from the project's version.
inline QString version()
{
    return QStringLiteral(LARDERLY_VERSION);
}

// "Version 1.0.0", as the splash screen and the About box show it.
inline QString versionLine()
{
    return QCoreApplication::translate("AppInfo", "Version %1").arg(version());
}

} // namespace AppInfo
