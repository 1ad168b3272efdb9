#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/colour.h"

class DrawingSurface;

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Exclamation };
enum class MessageAnswer { Ok, Yes, No };
enum class BeepSound { Default, Exclamation };

// Codes returned by waitForKeyPress.
namespace KeyCode {
inline constexpr int Other = 0;
inline constexpr int Escape = 27;
inline constexpr int Insert = 28;
inline constexpr int Delete = 29;
inline constexpr int Up = 30;
inline constexpr int Down = 31;
inline constexpr int Left = 32;
inline constexpr int Right = 33;
}  // namespace KeyCode

struct FileFilter {
    std::string description;  // "Trianzoid (*.tzp)"
    std::string pattern;      // "*.tzp"
};

// What the program's logic needs from the machine it runs on: talking to the user, the status bar,
// keeping the window alive during long work, and the view's window itself. The Qt application, the
// command-line solver and the tests each provide one.
class Platform {
  public:
    virtual ~Platform() = default;

    virtual MessageAnswer messageBox(const std::string& text, const std::string& caption,
                                     MessageButtons buttons, MessageIcon icon) = 0;

    // Status bar panes 0 .. 3.
    virtual void setPaneText(int pane, const std::string& text) = 0;

    virtual void beep(BeepSound sound) = 0;

    // Handles every pending user-interface event and returns when none is left.
    virtual void pumpMessages() = 0;
    // Waits, handling other events, until a key or a mouse button is pressed; that press is consumed.
    // Returns one of the KeyCode values.
    virtual int waitForKeyPress() = 0;

    // The view's window, for drawing that shows at once (not through a repaint).
    virtual DrawingSurface& clientSurface() = 0;
    // Asks for a full repaint of the view, background included, when events are next handled.
    virtual void invalidateView() = 0;

    // The open-file dialog, starting in `folder` (empty: wherever the system starts it).
    virtual std::optional<std::string> chooseFileToOpen(const std::string& title,
                                                        const std::vector<FileFilter>& filters,
                                                        const std::string& folder) = 0;
    // Returns the chosen colour, or nothing when the user cancels.
    virtual std::optional<Rgb> chooseColour(Rgb initial) = 0;

    // Whether a message that shows a line of a file also gives its number: a window shows the line as
    // it stands, a one-line message on a terminal names where it is (" (regel 3)").
    virtual bool namesLineNumbers() const { return false; }
};
