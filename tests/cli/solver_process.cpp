#include "tests/cli/solver_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <stdexcept>

#include "tests/support/test_support.h"

namespace solverprocess {

std::string Result::lastLine() const {
    std::string text = out;
    if (!text.empty() && text.back() == '\n') text.pop_back();
    auto newline = text.rfind('\n');
    return newline == std::string::npos ? text : text.substr(newline + 1);
}

Solver::Solver(const std::string& folder, const std::vector<std::string>& arguments) {
    // The captured output lives beside the folder, so that it never counts among the solver's files.
    char pattern[] = "/tmp/trianzoid-solver-XXXXXX";
    if (mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp");
    std::string captureDir = pattern;
    m_outPath = captureDir + "/out";
    m_errPath = captureDir + "/err";

    std::vector<std::string> argvStrings{TRIANZOID_SOLVE_EXE};
    argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& s : argvStrings) argv.push_back(s.data());
    argv.push_back(nullptr);

    m_pid = fork();
    if (m_pid < 0) throw std::runtime_error("fork");
    if (m_pid == 0) {
        // Child: only async-signal-safe calls until exec.
        int in = open("/dev/null", O_RDONLY);
        int out = open(m_outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(m_errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0 || chdir(folder.c_str()) != 0) _exit(126);
        dup2(in, 0), dup2(out, 1), dup2(err, 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
}

Solver::~Solver() {
    if (!m_waited && m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    auto dir = m_outPath.substr(0, m_outPath.rfind('/'));
    unlink(m_outPath.c_str());
    unlink(m_errPath.c_str());
    rmdir(dir.c_str());
}

void Solver::signal(int number) const {
    kill(m_pid, number);
}

Result Solver::wait() {
    Result result;
    int status = 0;
    if (waitpid(m_pid, &status, 0) == m_pid && WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
    m_waited = true;
    result.out = testsupport::readText(m_outPath);
    result.err = testsupport::readText(m_errPath);
    return result;
}

Result run(const std::string& folder, const std::vector<std::string>& arguments) {
    Solver solver(folder, arguments);
    return solver.wait();
}

}  // namespace solverprocess
