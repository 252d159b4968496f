#pragma once

#include "resources/AppInfo.h"

#include <QString>

class QWidget;

// Help > Contents: opens the program's help file with the desktop's viewer, or, when the program
// names none (as it is built), tells the user whom to contact.
class HelpContents
{
public:
    // `windowCaption` is the main window's caption at that moment; the contact message wears it.
    static void show(QWidget *owner, const QString &windowCaption, const QString &helpFile = AppInfo::helpFile());

    // "If you need help: Contact " and the support address.
    static QString contactMessage();
};
