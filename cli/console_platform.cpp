#include "cli/console_platform.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cctype>
#include <vector>

#include "cli/interrupt_signals.h"
#include "solutions/time_text.h"
#include "view/trianzoid_view.h"

namespace {

// The progress line is redrawn at most this often.
constexpr auto kRedrawInterval = std::chrono::milliseconds(250);

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::string current;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(current);
            current.clear();
        } else if (c != '\r') {
            current += c;
        }
    }
    if (!current.empty()) lines.push_back(current);
    return lines;
}

std::string joined(const std::vector<std::string>& lines, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count && i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        if (!out.empty()) out += "; ";
        out += lines[i];
    }
    return out;
}

// Text from the files (a piece file's line, a path stored in a document, a label) goes to the terminal
// with its control characters shown as '?': a hostile file must not steer the terminal.
std::string terminalSafe(std::string text) {
    for (char& c : text)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f) c = '?';
    return text;
}

int terminalColumns(std::FILE* stream) {
    winsize size{};
    if (ioctl(fileno(stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    return 80;
}

}  // namespace

std::string messageLine(const std::string& text, const std::string& caption) {
    auto lines = linesOf(text);
    std::string body = joined(lines, lines.size());
    return caption.empty() ? body : caption + ": " + body;
}

ConsolePlatform::ConsolePlatform(std::FILE* err, std::FILE* in, Settings settings)
    : m_err(err), m_in(in), m_settings(settings) {}

void ConsolePlatform::report(const std::string& line) {
    clearProgress();
    std::fprintf(m_err, "%s\n", terminalSafe(line).c_str());
    std::fflush(m_err);
}

void ConsolePlatform::clearProgress() {
    if (!m_bProgressShown) return;
    std::fputs("\r\033[K", m_err);
    std::fflush(m_err);
    m_bProgressShown = false;
}

MessageAnswer ConsolePlatform::messageBox(const std::string& text, const std::string& caption,
                                          MessageButtons buttons, MessageIcon) {
    if (buttons == MessageButtons::YesNo) return ask(text, caption);
    m_bErrorReported = true;
    report(messageLine(text, caption));
    return MessageAnswer::Ok;
}

// The question's last line is the question proper ("Toch doorgaan?"); the lines before it say why.
MessageAnswer ConsolePlatform::ask(const std::string& text, const std::string& caption) {
    auto lines = linesOf(text);
    std::string question = lines.empty() ? std::string() : lines.back();
    std::string reason = lines.size() > 1 ? joined(lines, lines.size() - 1) : std::string();
    if (!reason.empty()) report(caption.empty() ? reason : caption + ": " + reason);

    if (m_settings.assumeYes) {
        report(question + " ja (--yes)");
        return MessageAnswer::Yes;
    }
    if (m_settings.goOn) {
        report(question + " ja");
        return MessageAnswer::Yes;
    }
    if (!m_settings.canAsk || interruptSignalled()) {
        if (reason.empty()) report(messageLine(text, caption));
        report("Niet doorgegaan; met --yes wordt toch gezocht.");
        m_bQuestionRefused = true;
        return MessageAnswer::No;
    }
    clearProgress();
    std::fprintf(m_err, "%s [j/N] ", terminalSafe(question).c_str());
    std::fflush(m_err);
    char answer[64] = {};
    bool read = std::fgets(answer, sizeof answer, m_in) != nullptr;
    if (!read) std::fputc('\n', m_err);  // end of input or a signal: leave the prompt's line
    std::size_t start = 0;
    while (start < sizeof answer && answer[start] == ' ') ++start;
    char first = static_cast<char>(std::tolower(static_cast<unsigned char>(answer[start])));
    if (read && !interruptSignalled() && (first == 'j' || first == 'y')) return MessageAnswer::Yes;
    m_bQuestionRefused = true;
    return MessageAnswer::No;
}

void ConsolePlatform::setPaneText(int pane, const std::string& text) {
    if (pane < 0 || pane >= static_cast<int>(m_panes.size())) return;
    m_panes[static_cast<std::size_t>(pane)] = text;
    drawProgress(false);
}

void ConsolePlatform::pumpMessages() {
    // The request is given once the search is prepared or runs; during the preparation it abandons the
    // search before any earlier file is replaced.
    if (interruptSignalled() && m_pView != nullptr && m_pView->requestInterrupt())
        m_bInterruptDelivered = true;
    drawProgress(false);
}

std::string ConsolePlatform::progressText() {
    if (m_pView == nullptr || !m_pView->searching()) return m_panes[0];
    auto now = std::chrono::steady_clock::now();
    if (!m_searchStart) m_searchStart = now;
    long seconds =
        static_cast<long>(std::chrono::duration_cast<std::chrono::seconds>(now - *m_searchStart).count());
    const std::int64_t count = m_pView->m_state.solutionCount;
    std::string text = "Zoeken bezig: " + std::to_string(count) +
                       (count == 1 ? " oplossing" : " oplossingen") + ", " + formatDuration(seconds);
    if (!m_panes[2].empty() || !m_panes[3].empty())
        text += ", eerste trianzoid " + m_panes[2] + " " + m_panes[3];
    if (m_pView->interruptRequested()) text += ", onderbreken...";
    return text;
}

void ConsolePlatform::drawProgress(bool force) {
    if (!m_settings.progress || !m_bProgressStarted) return;
    auto now = std::chrono::steady_clock::now();
    if (!force && m_bProgressShown && now - m_lastDraw < kRedrawInterval) return;
    m_lastDraw = now;
    std::string text = terminalSafe(progressText());
    // One line that fits the terminal, so that the carriage return goes back to its start.
    auto columns = static_cast<std::size_t>(terminalColumns(m_err));
    if (text.size() >= columns) text.resize(columns - 1);
    std::fprintf(m_err, "\r%s\033[K", text.c_str());
    std::fflush(m_err);
    m_bProgressShown = true;
}
