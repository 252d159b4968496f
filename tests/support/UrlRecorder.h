#pragma once

#include <QList>
#include <QUrl>

// Stands in for the desktop while it exists: every address handed to it is recorded, none opened.
class UrlRecorder
{
public:
    UrlRecorder();
    ~UrlRecorder();

    QStringList addresses() const;

    QList<QUrl> urls;
};
