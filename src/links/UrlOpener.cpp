#include "links/UrlOpener.h"

#include <QDesktopServices>
#include <QLoggingCategory>
#include <QUrl>

Q_LOGGING_CATEGORY(lcLinks, "larderly.links", QtInfoMsg)

namespace {

UrlOpener::Handler &handler()
{
    static UrlOpener::Handler theHandler;
    return theHandler;
}

} // namespace

void UrlOpener::setHandler(Handler newHandler)
{
    handler() = std::move(newHandler);
}

void UrlOpener::open(const QUrl &url)
{
    if (handler()) {
        handler()(url);
        return;
    }
    // The desktop starts the browser on its own; a missing handler is not the program's to report,
    // only to note.
    if (!QDesktopServices::openUrl(url))
        qCInfo(lcLinks) << "the desktop did not open" << url.toDisplayString();
}
