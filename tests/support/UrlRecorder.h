#pragma once

#include <QList>
#include <QUrl>

// Stands in for the desktop while it exists: records every address handed to it, opens none.
class UrlRecorder
{
public:
    UrlRecorder();
    ~UrlRecorder();

    QList<QUrl> urls;
};
