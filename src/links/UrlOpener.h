#pragma once

#include <functional>

class QUrl;

// Hands an address to the desktop, which opens it with the user's handler: the web browser for a
// web page, the matching viewer for a file. Nothing waits for that program and nothing is
// reported: whether the page opens is between the desktop and the browser. Tests install a
// handler in place of the desktop.
class UrlOpener
{
public:
    using Handler = std::function<void(const QUrl &)>;

    static void open(const QUrl &url);

    static void setTestHandler(Handler handler);

private:
    static Handler &testHandler();
};
