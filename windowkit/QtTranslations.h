// Qt's own Japanese texts for the standard dialogs and buttons (file dialogs,
// colour dialog, Yes/No): loaded once at the start of every program that shows
// windows.
#pragma once

#include <QStringList>

namespace tenvoll {

// Installs Qt's Japanese translations into the running application. Returns
// false when they are not installed; the dialogs then stay in Qt's English.
bool installJapaneseQtTranslations();

// Where the translations are looked for, in order: Qt's translations folder,
// then "translations" beside the program and "share/tenvoll/translations"
// under its prefix (where a Qt of its own installs them).
QStringList qtTranslationsFolders();

} // namespace tenvoll
