#include "support/process.h"
#include "support/testsupport.h"

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace zanpel::test {

[[noreturn]] void ExecWith(const std::vector<std::string>& argv,
                           const std::map<std::string, std::string>& env) {
    for (const auto& [name, value] : env) {
        if (value.empty())
            ::unsetenv(name.c_str());
        else
            ::setenv(name.c_str(), value.c_str(), 1);
    }
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    ::execv(args[0], args.data());
    ::_exit(127);
}

BackgroundProcess::BackgroundProcess(const std::vector<std::string>& argv,
                                     const std::map<std::string, std::string>& env,
                                     const std::string& outputFile) {
    m_pid = ::fork();
    if (m_pid != 0)
        return;
    if (!outputFile.empty() &&
        (!std::freopen(outputFile.c_str(), "w", stdout) || ::dup2(::fileno(stdout), 2) < 0))
        ::_exit(126);
    ExecWith(argv, env);
}

BackgroundProcess::~BackgroundProcess() {
    if (m_pid > 0 && !m_ended) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
}

void BackgroundProcess::Signal(int signal) const {
    if (m_pid > 0 && !m_ended)
        ::kill(m_pid, signal);
}

int BackgroundProcess::Wait(int timeoutMs) {
    for (int waited = 0; m_pid > 0 && !m_ended; waited += 20) {
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_ended = true;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        if (waited >= timeoutMs)
            return -1;
        ::usleep(20 * 1000);
    }
    return -1;
}

UserIds UnprivilegedUser() {
    if (::geteuid() != 0)
        return {::geteuid(), ::getegid()};
    const passwd* nobody = ::getpwnam("nobody");
    return nobody ? UserIds{nobody->pw_uid, nobody->pw_gid} : UserIds{65534, 65534};
}

int RunInChild(const std::function<int()>& body, bool unprivileged, int timeoutSeconds) {
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        ::alarm(static_cast<unsigned>(timeoutSeconds));
        const UserIds user = UnprivilegedUser();
        if (unprivileged && ::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(user.Gid) != 0 || ::setuid(user.Uid) != 0))
            ::_exit(126);
        ::_exit(body());
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> AsUnprivileged(std::vector<std::string> argv) {
    if (::geteuid() != 0)
        return argv;
    const UserIds user = UnprivilegedUser();
    argv.insert(argv.begin(), {"/usr/bin/setpriv", "--reuid=" + std::to_string(user.Uid),
                               "--regid=" + std::to_string(user.Gid), "--clear-groups"});
    return argv;
}

double CpuSeconds(int pid) {
    const std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i)
        if (i >= 14)
            ticks += std::stod(field); // utime and stime
    return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

ProcessResult RunProcess(const std::vector<std::string>& argv,
                         const std::map<std::string, std::string>& env) {
    TempDir capture;
    const std::string outPath = capture.File("out");
    const std::string errPath = capture.File("err");
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!std::freopen(outPath.c_str(), "w", stdout) ||
            !std::freopen(errPath.c_str(), "w", stderr))
            ::_exit(126);
        ExecWith(argv, env);
    }
    ProcessResult result;
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status))
        result.ExitCode = WEXITSTATUS(status);
    result.Out = ReadFile(outPath);
    result.Err = ReadFile(errPath);
    return result;
}

} // namespace zanpel::test
