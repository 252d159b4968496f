#pragma once

#include <QString>
#include <QStringList>

// The desktop's system information tool, which the About box starts: the first installed of the
// tools the Linux desktops ship.
namespace SystemInfoTool {

// The tools looked for, in order of preference.
QStringList candidates();
// The full path of the first one found in `searchPaths` (by default the folders on the PATH), or
// empty when none is installed.
QString find(const QStringList &searchPaths = {});
// Starts it with no arguments and no shell in between, and does not wait for it; false when it
// could not be started.
bool start(const QString &path);

} // namespace SystemInfoTool
