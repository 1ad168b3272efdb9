#pragma once

class QCoreApplication;

// Qt's own texts (the buttons and labels of the file, colour, print and message dialogs) in Dutch,
// from Qt's translations (Debian qt6-translations-l10n). False when they are not installed: those
// texts then stay English; the program's own texts are Dutch regardless.
bool installDutchTranslation(QCoreApplication& app);
