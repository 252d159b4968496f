#pragma once

#include "resources/AppInfo.h"

#include <QString>

class QWidget;

// Help > Contents: opens the program's help file with the desktop's viewer, or, when the program
// names none (as it is built), tells the user whom to contact.
namespace HelpContents {

// `windowCaption` is the main window's caption at that moment; the contact message wears it.
void show(QWidget *owner, const QString &windowCaption, const QString &helpFile = AppInfo::helpFile());

// "If you need help: Contact " and the support address.
QString contactMessage();

} // namespace HelpContents
