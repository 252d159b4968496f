#pragma once

#include "links/UrlOpener.h"

#include <QList>
#include <QUrl>

// Stands in for the desktop while it exists: keeps every address handed to it, opens none.
struct UrlRecorder
{
    UrlRecorder()
    {
        UrlOpener::setHandler([this](const QUrl &url) { urls << url; });
    }
    ~UrlRecorder() { UrlOpener::setHandler(nullptr); }
    QList<QUrl> urls;
};
