#include "support/journalfile.h"

#include "records/timevalues.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

extern char** environ;

namespace zanpel::test {

std::string JournalRemoteTool() {
    for (const char* path :
         {"/usr/lib/systemd/systemd-journal-remote", "/lib/systemd/systemd-journal-remote"})
        if (::access(path, X_OK) == 0)
            return path;
    return {};
}

uint64_t UtcMicroseconds(int year, int month, int day, int h, int m, int s) {
    const int64_t days = EncodeDate(year, month, day) - UnixEpochDay;
    return static_cast<uint64_t>((days * SecondsPerDay + h * 3600 + m * 60 + s) * 1000000);
}

uint64_t Jst(int year, int month, int day, int h, int m, int s) {
    return UtcMicroseconds(year, month, day, h - 9, m, s);
}

std::string WriteJournal(const std::string& path, const std::vector<uint64_t>& stamps) {
    const std::string tool = JournalRemoteTool();
    if (tool.empty())
        return "systemd-journal-remote is not installed";
    const std::string exportPath = path + ".export";
    {
        std::ofstream out(exportPath, std::ios::binary | std::ios::trunc);
        uint64_t monotonic = 1000000;
        for (const uint64_t stamp : stamps) {
            out << "__REALTIME_TIMESTAMP=" << stamp << "\n__MONOTONIC_TIMESTAMP=" << monotonic++
                << "\n_BOOT_ID=5f0c5a3cd4e14f5c9b1b7c0a2e6d8f11\n_HOSTNAME=test\n"
                << "MESSAGE=entry\n\n";
        }
        if (!out.flush())
            return "cannot write " + exportPath;
    }
    const std::string output = "--output=" + path;
    const char* argv[] = {tool.c_str(), output.c_str(), exportPath.c_str(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, argv[0], &actions, nullptr, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned == 0)
        ::waitpid(pid, &status, 0);
    std::remove(exportPath.c_str());
    if (spawned != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return tool + " failed for " + path;
    return {};
}

} // namespace zanpel::test
