#pragma once

#include <array>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

#include "platform/null_surface.h"
#include "platform/platform.h"

class CTrianzoidView;

// The platform of the command-line solver. Message boxes become lines on standard error
// ("Oei: Bestand x.tzp is er niet"); a Yes/No question is asked on the terminal, answered by --yes, or
// refused when there is no terminal to ask; the status panes feed a progress line that is redrawn in
// place; an interrupt signal becomes the view's interrupt request at the next pump.
class ConsolePlatform : public Platform {
  public:
    struct Settings {
        bool assumeYes = false;  // --yes: every question is answered Yes
        bool goOn = false;       // every question is answered Yes without --yes (a merge: the shards went on)
        bool progress = false;   // draw the progress line (standard error is a terminal, no --quiet)
        bool canAsk = false;     // questions can be asked: standard input and error are a terminal
    };

    ConsolePlatform(std::FILE* err, std::FILE* in, Settings settings);

    // The view whose search an interrupt signal stops; none before the view exists.
    void attachView(CTrianzoidView* view) { m_pView = view; }
    // From here on the status panes are shown as progress (before, they hold the readiness text).
    void startProgress() { m_bProgressStarted = true; }

    MessageAnswer messageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                             MessageIcon icon) override;
    void setPaneText(int pane, const std::string& text) override;
    void beep(BeepSound) override {}
    void pumpMessages() override;
    // Only the waiting search mode waits for a key, and the solver never uses it.
    int waitForKeyPress() override { return KeyCode::Other; }
    DrawingSurface& clientSurface() override { return m_surface; }
    void invalidateView() override {}
    std::optional<std::string> chooseFileToOpen(const std::string&, const std::vector<FileFilter>&,
                                                const std::string&) override {
        return std::nullopt;
    }
    std::optional<Rgb> chooseColour(Rgb) override { return std::nullopt; }
    bool namesLineNumbers() const override { return true; }

    // A line of our own on standard error, below any progress line.
    void report(const std::string& line);
    // Removes the progress line, so that what follows starts on a clean line.
    void clearProgress();

    // What happened.
    bool errorReported() const { return m_bErrorReported; }
    bool questionRefused() const { return m_bQuestionRefused; }
    bool interruptDelivered() const { return m_bInterruptDelivered; }

  private:
    MessageAnswer ask(const std::string& text, const std::string& caption);
    void drawProgress(bool force);
    std::string progressText();

    std::FILE* m_err;
    std::FILE* m_in;
    Settings m_settings;
    NullSurface m_surface;
    CTrianzoidView* m_pView = nullptr;
    std::array<std::string, 4> m_panes;

    bool m_bErrorReported = false;
    bool m_bQuestionRefused = false;
    bool m_bInterruptDelivered = false;

    bool m_bProgressStarted = false;
    bool m_bProgressShown = false;
    std::optional<std::chrono::steady_clock::time_point> m_searchStart;
    std::chrono::steady_clock::time_point m_lastDraw{};
};

// "caption: text", with the lines of a multi-line text joined by "; " and a trailing line end dropped.
std::string messageLine(const std::string& text, const std::string& caption);
