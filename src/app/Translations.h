#pragma once

#include <QLocale>
#include <QString>

// The texts in the user's language: our catalogs (foliotrace_LANG.qm, made
// from translations/*.ts) and Qt's own for its dialogs (qtbase_LANG.qm),
// chosen by the locale's languages (LANGUAGE, then LC_ALL, LC_MESSAGES,
// LANG). English needs none: the texts in the code are English.
namespace Translations {

// The catalogs of a program in programFolder: translations/ beside it (the
// build tree), else where an install keeps them (../share/foliotrace).
QString catalogFolder(const QString &programFolder);

// The folder this process's program is in; no application object needed.
QString programFolder();

// Loads the catalogs for locale from folder (the program's by default)
// into the running application (one must exist); called again for a later
// application object, it installs them there. Returns the language loaded,
// "en" when none was needed or found.
QString install(const QLocale &locale = QLocale(), const QString &folder = {});

} // namespace Translations
