#include "UrlRecorder.h"

#include "UrlOpener.h"

UrlRecorder::UrlRecorder()
{
    UrlOpener::setTestHandler([this](const QUrl &url) { urls << url; });
}

UrlRecorder::~UrlRecorder()
{
    UrlOpener::setTestHandler(nullptr);
}
