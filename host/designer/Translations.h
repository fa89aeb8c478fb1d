#pragma once
// The designer's own texts and Qt's (its standard dialogs and buttons) in the user's language:
// the one the package's language modules are chosen by (vcl50/Modules.h UserLanguage), so the
// window and the package's dialogs speak alike. English needs nothing.

// Installs the translators into the application, once; a language without a translation leaves
// the texts English. Returns whether the designer's own translation was found.
bool InstallTranslations();
