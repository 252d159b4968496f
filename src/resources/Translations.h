#pragma once

// The program's texts and Qt's own (the buttons of a message box, the options of the command line)
// in the user's language, when the program has a translation for it; English otherwise.
namespace Translations {

// Installs the translations for the system's language into the application object now running.
void install();

} // namespace Translations
