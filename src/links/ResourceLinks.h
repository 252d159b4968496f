#pragma once

#include <QString>

// The links of the main window's "Resources" page: which address each linked control opens.
// Ten pages lie on the maker's main web site, "Free Recipes" on its recipe-archive site.
class ResourceLinks
{
public:
    // The full address the control opens, or an empty string for a control that is no link.
    static QString address(const QString &control);

    // Hands the control's address to the desktop; a control that is no link does nothing.
    static void open(const QString &control);
};
