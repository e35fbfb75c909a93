#pragma once
// Qt's own texts (context menus, file and print dialogs, message-box buttons)
// in French whatever the machine's locale, as the rest of the program speaks.

class QCoreApplication;

namespace titrage {

// Loads Qt's French translations into `app` and makes French the default
// locale. Returns false when the translation files are not installed (the
// program then runs with Qt's English texts).
bool installFrenchTranslations(QCoreApplication& app);

} // namespace titrage
