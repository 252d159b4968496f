#pragma once

#include <QString>

// What the user asked for in the search dialog: the text, and whether to start at the first recipe
// (Find First) or at the one after the recipe on screen (Find Next).
struct SearchRequest
{
    QString text;
    bool fromFirst = false;
};
