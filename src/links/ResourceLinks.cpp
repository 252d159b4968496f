#include "links/ResourceLinks.h"

#include "resources/AppInfo.h"
#include "links/UrlOpener.h"

#include <QUrl>

namespace {

enum class Site { Main, Archive };

struct Link
{
    const char *control;
    Site site;
    const char *path;
};

const Link Links[] = {
    {"Image1", Site::Main, ""},
    {"Label10", Site::Main, ""},
    {"Label11", Site::Main, "/help/spices.html"},
    {"Label12", Site::Main, "/help/equiv.html"},
    {"Label13", Site::Main, "/help/substitutions.html"},
    {"Label14", Site::Main, "/help/convert.html"},
    {"Label15", Site::Main, "/help/usmeasure.html"},
    {"Label16", Site::Main, "/mall.html"},
    {"Label18", Site::Archive, "/recipes/index.cgi"},
    {"Label19", Site::Main, "/qdarchive.html"},
    {"Label20", Site::Main, "/shows.html"},
};

} // namespace

QString ResourceLinks::address(const QString &control)
{
    for (const Link &link : Links) {
        if (control == QLatin1String(link.control))
            return (link.site == Site::Main ? AppInfo::mainSite() : AppInfo::archiveSite()) + QLatin1String(link.path);
    }
    return QString();
}

void ResourceLinks::open(const QString &control)
{
    const QString target = address(control);
    if (!target.isEmpty())
        UrlOpener::open(QUrl(target));
}
