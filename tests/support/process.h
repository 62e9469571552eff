// Runs a program of the project as a user would, for end-to-end tests.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zanpel::test {

struct ProcessResult {
    int ExitCode = -1; // -1 when killed or not started
    std::string Out;
    std::string Err;
};

// Runs argv with the current environment plus env (a value of "" removes the
// variable) and waits for it to end.
ProcessResult RunProcess(const std::vector<std::string>& argv,
                         const std::map<std::string, std::string>& env = {});

// In a child after fork(): sets env (a value of "" removes the variable) and
// runs argv in place of the child, or ends it with 127.
[[noreturn]] void ExecWith(const std::vector<std::string>& argv,
                           const std::map<std::string, std::string>& env);

// A program left running in the background; killed when the object goes.
// outputFile: where its standard output and error go (empty: the test's).
class BackgroundProcess {
public:
    BackgroundProcess(const std::vector<std::string>& argv,
                      const std::map<std::string, std::string>& env = {},
                      const std::string& outputFile = {});
    ~BackgroundProcess();
    BackgroundProcess(const BackgroundProcess&) = delete;
    BackgroundProcess& operator=(const BackgroundProcess&) = delete;

    void Signal(int signal) const;
    // The exit code, or -1 when it did not end within timeoutMs (or was killed).
    int Wait(int timeoutMs);
    int Pid() const { return m_pid; }

private:
    int m_pid = -1;
    bool m_ended = false;
};

// User and system time of a process so far (from /proc/<pid>/stat), seconds.
double CpuSeconds(int pid);

// Runs body in a forked child and answers what it returned (its exit code),
// or -1 when the child died or ran past timeoutSeconds. unprivileged: the
// child first becomes an ordinary user (UnprivilegedUser), as root cannot
// see what "permission denied" does to a program.
int RunInChild(const std::function<int()>& body, bool unprivileged = false,
               int timeoutSeconds = 20);
// Fails a check of RunInChild's body with its number, which the child
// answers and the test reports (the child's own gtest results are lost).
#define CHILD_CHECK(number, condition)                                                             \
    if (!(condition))                                                                              \
    return number
// The user of RunInChild's unprivileged child: "nobody" when the tests run
// as root, else the test's own user.
struct UserIds {
    unsigned Uid = 0;
    unsigned Gid = 0;
};
UserIds UnprivilegedUser();
// argv run as UnprivilegedUser (through setpriv when the tests run as root).
std::vector<std::string> AsUnprivileged(std::vector<std::string> argv);

// How often part occurs in text (a trace, a log).
int CountOf(const std::string& text, const std::string& part);

// Polls until predicate holds or timeoutMs pass; answers the last result.
bool WaitFor(const std::function<bool()>& predicate, int timeoutMs);

} // namespace zanpel::test
