#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// Runs the built trianzoid-solve as a child process in a folder of the test's choosing, standard input
// from /dev/null (so never a terminal) and standard output and error captured in files.
namespace solverprocess {

struct Result {
    int exitStatus = -1;  // -1 when the process did not exit normally
    std::string out;
    std::string err;
    // The last line of standard output, without its line end.
    std::string lastLine() const;
};

class Solver {
  public:
    // Starts the solver in `folder` with the given arguments (the program name is added).
    Solver(const std::string& folder, const std::vector<std::string>& arguments);
    ~Solver();
    Solver(const Solver&) = delete;
    Solver& operator=(const Solver&) = delete;

    pid_t pid() const { return m_pid; }
    void signal(int number) const;
    // Waits for the process to end and collects what it wrote.
    Result wait();

  private:
    pid_t m_pid = -1;
    std::string m_outPath;
    std::string m_errPath;
    bool m_waited = false;
};

// Runs the solver to its end.
Result run(const std::string& folder, const std::vector<std::string>& arguments);

}  // namespace solverprocess
