#pragma once

#include "search/SearchRequest.h"

#include <optional>

// What the main window asks of the search dialog: show it, wait until the user closes it, and
// hand back what was asked for.
class SearchPrompt
{
public:
    virtual ~SearchPrompt() = default;

    // The request when the user pressed Find First or Find Next (the text may be empty); nothing
    // for Cancel, Esc or the close box.
    virtual std::optional<SearchRequest> ask() = 0;
};
