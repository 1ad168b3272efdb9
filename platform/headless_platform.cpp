#include "platform/headless_platform.h"

MessageAnswer HeadlessPlatform::messageBox(const std::string& text, const std::string& caption,
                                           MessageButtons buttons, MessageIcon icon) {
    messages.push_back({text, caption, buttons, icon});
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (answers.empty()) return defaultAnswer;
    MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

void HeadlessPlatform::setPaneText(int pane, const std::string& text) {
    if (pane < 0 || pane >= static_cast<int>(panes.size())) return;
    panes[static_cast<std::size_t>(pane)] = text;
    if (pane == 0) paneHistory0.push_back(text);
}

void HeadlessPlatform::beep(BeepSound sound) {
    beeps.push_back(sound);
}

void HeadlessPlatform::pumpMessages() {
    ++pumps;
    if (onPump) onPump(pumps);
}

int HeadlessPlatform::waitForKeyPress() {
    ++keyWaits;
    if (keyPresses.empty()) return KeyCode::Other;
    int code = keyPresses.front();
    keyPresses.pop_front();
    return code;
}

std::optional<std::string> HeadlessPlatform::chooseFileToOpen(const std::string& title,
                                                              const std::vector<FileFilter>& filters,
                                                              const std::string& folder) {
    lastFileDialogTitle = title;
    lastFileDialogFolder = folder;
    lastFilters = filters;
    if (filesToOpen.empty()) return std::nullopt;
    auto file = filesToOpen.front();
    filesToOpen.pop_front();
    return file;
}

std::optional<Rgb> HeadlessPlatform::chooseColour(Rgb) {
    if (coloursToChoose.empty()) return std::nullopt;
    auto colour = coloursToChoose.front();
    coloursToChoose.pop_front();
    return colour;
}
