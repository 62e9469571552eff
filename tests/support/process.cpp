#include "support/process.h"

#include "support/testsupport.h"

#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace zanpel::test {

ProcessResult RunProcess(const std::vector<std::string>& argv,
                         const std::map<std::string, std::string>& env) {
    TempDir capture;
    const std::string outPath = capture.File("out");
    const std::string errPath = capture.File("err");
    const pid_t pid = ::fork();
    if (pid == 0) {
        for (const auto& [name, value] : env) {
            if (value.empty())
                ::unsetenv(name.c_str());
            else
                ::setenv(name.c_str(), value.c_str(), 1);
        }
        if (!std::freopen(outPath.c_str(), "w", stdout) || !std::freopen(errPath.c_str(), "w", stderr))
            ::_exit(126);
        std::vector<char*> args;
        for (const std::string& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
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
