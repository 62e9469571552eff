// A program run as a user runs it, on Windows: its standard output and
// error go to files of the test's own, as a redirect in cmd would send them.
#include "records/widetext.h"
#include "support/process.h"
#include "support/testsupport.h"

#include <windows.h>

namespace zanpel::test {
namespace {

// One argument as the C runtime's parser reads it back.
std::wstring Quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos)
        return arg;
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

HANDLE InheritedFile(const std::string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return ::CreateFileW(WideText(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                         CREATE_ALWAYS, 0, nullptr);
}

} // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv,
                         const std::map<std::string, std::string>& env) {
    TempDir capture;
    ProcessResult result;
    std::wstring line;
    for (const std::string& arg : argv)
        line += (line.empty() ? L"" : L" ") + Quoted(WideText(arg));
    const HANDLE out = InheritedFile(capture.File("out"));
    const HANDLE err = InheritedFile(capture.File("err"));
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = out;
    start.hStdError = err;
    PROCESS_INFORMATION process{};
    bool started = false;
    {
        // The child takes the environment of the moment it starts.
        const ScopedEnvironment childEnvironment(env);
        started = ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                   nullptr, &start, &process);
    }
    ::CloseHandle(out);
    ::CloseHandle(err);
    if (started) {
        ::WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        if (::GetExitCodeProcess(process.hProcess, &code))
            result.ExitCode = static_cast<int>(code);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    result.Out = ReadFile(capture.File("out"));
    result.Err = ReadFile(capture.File("err"));
    return result;
}

} // namespace zanpel::test
