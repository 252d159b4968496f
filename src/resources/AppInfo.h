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

    // The maker's two web sites: the main one and the one with its recipe archive.
    static QString mainSite() { return QStringLiteral("http://www.kettlebay.com"); }
    static QString archiveSite() { return QStringLiteral("http://recipes.kettlebay.com"); }

    // No help file comes with the program, so Help > Contents names whom to contact instead.
    static QString helpFile() { return QString(); }
    static QString supportAddress() { return QStringLiteral("support@kettlebay.com"); }

    // The splash screen's copyright notice. The maker's name stands on the line below it, and the
    // notice has to fit its 129-pixel label in the 8.25-point font.
    static QString copyrightNotice() { return QStringLiteral("Copyright © 2026"); }

    // The warning notice of the splash screen and the About box.
    static QString warningNotice()
    {
        return QStringLiteral("Warning: this program is protected by copyright. Copying or distributing it, or "
                              "any part of it, without permission from Kettlebay is not allowed.");
    }

    // "1.0.0"
    static QString version() { return QStringLiteral("%1.%2.%3").arg(Major).arg(Minor).arg(Revision); }

    // "Version 1.0.0", as the splash screen and the About box show it.
    static QString versionLine() { return QStringLiteral("Version ") + version(); }
};
