#pragma once

#include <functional>

class QUrl;

// Hands an address to the desktop, which opens it with the user's handler: the web browser for a
// web page, the matching viewer for a file. Nothing waits for that program and nothing is
// reported: whether the page opens is between the desktop and the browser. Tests install a
// handler in place of the desktop.
namespace UrlOpener {

using Handler = std::function<void(const QUrl &)>;

void open(const QUrl &url);

// Opens every address from now on in place of the desktop (none: the desktop opens them).
void setHandler(Handler handler);

} // namespace UrlOpener
