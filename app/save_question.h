#pragma once

class QString;
class QWidget;

// The question before unsaved changes would be lost, with the window's own buttons: "Ja" (the default)
// saves, "Nee" goes on without saving, "Annuleren" and Escape stay where the user was.
enum class SaveAnswer { Save, Discard, Stay };
SaveAnswer askSaveQuestion(QWidget* parent, const QString& title, const QString& text);
