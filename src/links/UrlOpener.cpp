#include "links/UrlOpener.h"

#include <QDesktopServices>
#include <QUrl>

UrlOpener::Handler &UrlOpener::testHandler()
{
    static Handler handler;
    return handler;
}

void UrlOpener::setTestHandler(Handler handler)
{
    testHandler() = std::move(handler);
}

void UrlOpener::open(const QUrl &url)
{
    if (testHandler()) {
        testHandler()(url);
        return;
    }
    // The desktop starts the browser on its own; a missing handler is not the program's to report.
    QDesktopServices::openUrl(url);
}
