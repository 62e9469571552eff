// A month file of arbitrary bytes: loading never crashes, and saving settles
// after one round: what is saved then reads back as the same month.
#include "fuzzcheck.h"
#include "records/datalist.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

std::string Folder() {
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "zanpel-fuzz-XXXXXX").string();
        return std::string(::mkdtemp(pattern.data()));
    }();
    return folder;
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zanpel;
    const std::string path = Folder() + "/200503.dat";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    FixedClock clock(EncodeDate(2005, 4, 10), 12 * 3600); // another month: nothing is added
    CollectingErrorReporter reporter;
    TDataList list(clock, reporter);
    list.NoSave = true; // no copies of unreadable inputs
    list.SetDataDir(Folder());
    list.ChangeDate(EncodeDate(2005, 3, 1));
    // The first save normalises (rest periods take the rest category, and
    // periods that then touch merge at the next load); from the second save
    // on, what is written reads back and writes again byte for byte.
    FUZZ_CHECK(list.SaveMonth());
    list.LoadMonth();
    FUZZ_CHECK(list.SaveMonth());
    const std::string second = Contents(path);
    list.LoadMonth();
    FUZZ_CHECK(reporter.Messages.size() <= 1);
    FUZZ_CHECK(list.SaveMonth());
    FUZZ_CHECK(Contents(path) == second);
    return 0;
}
