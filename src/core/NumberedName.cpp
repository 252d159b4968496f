#include "core/NumberedName.h"

#include <QDir>
#include <QFileInfo>

QString NumberedName::claimFirstFree(const QString &folder, const QString &pattern,
                                     const std::function<Claim(const QString &path)> &claim)
{
    constexpr int Last = 9999;
    const QDir dir(folder);
    for (int n = 1; n <= Last; ++n) {
        const QString path = dir.filePath(pattern.arg(n));
        if (QFileInfo::exists(path))
            continue;
        switch (claim(path)) {
        case Claim::Taken:
            continue;
        case Claim::Claimed:
            return path;
        case Claim::Failed:
            return QString();
        }
    }
    return QString();
}
