#pragma once

class QCoreApplication;
class QTranslator;

// Qt's own texts (the buttons and labels of the file, colour, print and message dialogs) in Dutch,
// from Qt's translations (Debian qt6-translations-l10n). The translator, owned by the application, or
// nullptr when the translations are not installed: those texts then stay English; the program's own
// texts are Dutch regardless.
QTranslator* installDutchTranslation(QCoreApplication& app);
