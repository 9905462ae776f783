#pragma once
// Qt's own texts (file dialogs, the context menu of a text field, standard buttons) in German.

class QCoreApplication;

namespace tab::ui {

// Installs Qt's German translations (qtbase_de from Qt's translations folder) into the
// application and makes German the default locale. False when they are not installed: Qt's own
// texts then stay English, and nothing else changes.
bool LoadGermanTranslations(QCoreApplication& application);

}  // namespace tab::ui
