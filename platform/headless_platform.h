#pragma once

#include <array>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/recording_surface.h"

// A platform without a window. It records what the logic tells the user and answers from a script,
// so that tests can drive every path; the command-line solver builds on it.
class HeadlessPlatform : public Platform {
  public:
    struct Message {
        std::string text;
        std::string caption;
        MessageButtons buttons;
        MessageIcon icon;
    };

    MessageAnswer messageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                             MessageIcon icon) override;
    void setPaneText(int pane, const std::string& text) override;
    void beep(BeepSound sound) override;
    void pumpMessages() override;
    int waitForKeyPress() override;
    DrawingSurface& clientSurface() override { return surface; }
    void invalidateView() override { ++invalidations; }
    std::optional<std::string> chooseFileToOpen(const std::string& title,
                                                const std::vector<FileFilter>& filters,
                                                const std::string& folder) override;
    std::optional<Rgb> chooseColour(Rgb initial) override;

    // What happened.
    std::vector<Message> messages;
    std::array<std::string, 4> panes;
    std::vector<std::string> paneHistory0;  // every text written to pane 0, in order
    std::vector<BeepSound> beeps;
    long pumps = 0;
    long keyWaits = 0;
    int invalidations = 0;
    RecordingSurface surface{false, false};

    // Script. Answers are used in order; when they run out, Yes/No questions get `defaultAnswer`.
    std::deque<MessageAnswer> answers;
    MessageAnswer defaultAnswer = MessageAnswer::No;
    std::deque<int> keyPresses;  // codes for waitForKeyPress; KeyCode::Other when empty
    std::deque<std::optional<std::string>> filesToOpen;
    std::deque<std::optional<Rgb>> coloursToChoose;
    std::vector<FileFilter> lastFilters;
    std::string lastFileDialogTitle;
    std::string lastFileDialogFolder;
    // Called on every pump, with the pump's number (1, 2, ...): the place where a test injects events.
    std::function<void(long)> onPump;
};
