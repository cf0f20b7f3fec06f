#pragma once
// Japanese texts for Qt's own dialogs (file dialogs, colour chooser): qtbase_ja.qm from Qt's
// translations folder.

class QCoreApplication;

namespace vantle {

// Installs the translation on the application (which owns it). False when the file could not be loaded;
// the dialogs then keep Qt's English texts.
bool installJapaneseTranslations(QCoreApplication& app);

} // namespace vantle
