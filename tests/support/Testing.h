#pragma once

// What the tests above the store share: fixtures, and stand-ins for the user, desktop and printer.
#include "LogicFixture.h"
#include "PdfText.h"
#include "PromptRecorder.h"
#include "WindowFixture.h"
#include "links/UrlOpener.h"

#include <QtTest>
#include <QtWidgets>

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
