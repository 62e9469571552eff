#include "records/brokencopy.h"

#include "records/atomicfile.h"

#include <sys/stat.h>

#include <cstdio>

namespace zanpel {

std::string BrokenCopyPath(const std::string& path, const Clock& clock) {
    const TDateTime now = clock.Now();
    const CivilDate d = DecodeDate(WholeDays(now));
    const Seconds s = SecondsOfDay(now);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", d.Year, d.Month, d.Day,
                  s / 3600, (s / 60) % 60, s % 60);
    const std::string base = path + ".broken-" + stamp;
    std::string copy = base;
    for (int n = 2; FileExists(copy); ++n)
        copy = base + "-" + std::to_string(n);
    return copy;
}

std::string KeepCopy(const std::string& from, const std::string& to, AtomicWriter& writer) {
    if (!FileExists(from))
        return {};
    std::string contents;
    std::string cause;
    if (!ReadWholeFile(from, contents, cause))
        return cause;
    struct stat st {};
    const std::optional<mode_t> mode =
        ::stat(from.c_str(), &st) == 0 ? std::optional<mode_t>(st.st_mode & 07777) : std::nullopt;
    return writer.Replace(to, contents, mode);
}

std::string KeptCopyNote(const std::string& copyPath) {
    return "読めなかった内容を失わないよう、次の保存の前に元のファイルを " + copyPath +
           " として残します。";
}

} // namespace zanpel
