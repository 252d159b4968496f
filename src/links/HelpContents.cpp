#include "links/HelpContents.h"

#include "core/RuntimeError.h"
#include "dialogs/MessageBox.h"
#include "links/UrlOpener.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QUrl>

QString HelpContents::contactMessage()
{
    return QCoreApplication::translate("HelpContents", "If you need help: Contact %1").arg(AppInfo::supportAddress());
}

void HelpContents::show(QWidget *owner, const QString &windowCaption, const QString &helpFile)
{
    if (helpFile.isEmpty()) {
        MessageBox::message(owner, contactMessage(), windowCaption, MessageBox::Information);
        return;
    }

    // The viewer reports its own troubles (a file that cannot be opened among them); only a
    // failure to reach it at all becomes one message of ours.
    try {
        UrlOpener::open(QUrl::fromLocalFile(QFileInfo(helpFile).absoluteFilePath()));
    } catch (const RuntimeError &e) {
        MessageBox::message(owner, e.description());
    } catch (const std::exception &e) {
        MessageBox::message(owner, QString::fromLocal8Bit(e.what()));
    }
}
