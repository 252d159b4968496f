#pragma once

#include <QString>

// Larderly is a desktop program: with no display to open its window on, Qt would end it with
// its own abort text, which suggests reinstalling. This says what is wrong in one line instead.
namespace DisplayCheck {

QString noDisplayMessage();

// True when the environment names a display or a platform of Qt's to show windows on.
bool displayNamed();

// Holds Qt's messages from now on until releaseMessages(). A fatal failure to start a
// platform plugin in the meantime (a display that is named but cannot be reached) prints
// the one line and ends the program with status 1.
void holdMessages();
// Passes the held messages on to Qt's own handler and hands the messages back to it.
void releaseMessages();

} // namespace DisplayCheck
