#pragma once

#include <QString>

// What the main window asks of the search dialog: show it, wait until the user closes it, and
// hand back whether the user confirmed, which Find button it was, and the text.
class SearchPrompt
{
public:
    virtual ~SearchPrompt() = default;

    // True for Find First or Find Next; only then are both arguments written: bFindFirst true
    // for Find First, strFindWhat the text typed (possibly empty).
    virtual bool GetSearchStr(bool &bFindFirst, QString &strFindWhat) = 0;
};
