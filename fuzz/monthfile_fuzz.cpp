// A month file of arbitrary bytes: loading never crashes, and saving settles
// after one round: what is saved then reads back as the same month.
#include "fuzzcheck.h"
#include "worklist/datalist.h"
#include "worklist/monthformat.h"

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

std::string Folder() {
    static const std::string folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zanpel-fuzz-XXXXXX").string();
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

// The records that a save writes, in the order it writes them, without the
// rests of the computer-on records.
std::vector<zanpel::TWorkInfo> Written(zanpel::TDataList& list) {
    using namespace zanpel;
    list.SortWorks(false);
    std::vector<TWorkInfo> records;
    for (int i = 0; i < list.Count(); ++i) {
        TWorkInfo record = list.GetWorkAt(i);
        if (!IsRecordWritten(record))
            continue;
        if (list.IsLoginAt(i) && record.Periods.size() > 1) {
            record.Periods.resize(1);
            record.Total = 0;
        }
        records.push_back(record);
    }
    return records;
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
    for (int i = 0; i < list.Count(); ++i) {
        TWorkInfo record = list.GetWorkAt(i);
        const Seconds kept = record.Total;
        FUZZ_CHECK(list.CalcTotal(record) == kept);
    }
    // A file read without a word comes back as it was read: every byte of
    // every text, every period.
    const bool clean = reporter.Messages.empty();
    const auto first = Written(list);
    // The first save normalises (rest periods take the rest category); from
    // the second save on, what is written reads back and writes again byte
    // for byte.
    FUZZ_CHECK(list.SaveMonth());
    list.LoadMonth();
    FUZZ_CHECK(!clean || reporter.Messages.empty());
    FUZZ_CHECK(!clean || Written(list) == first);
    FUZZ_CHECK(list.SaveMonth());
    const std::string second = Contents(path);
    list.LoadMonth();
    FUZZ_CHECK(reporter.Messages.size() <= 1);
    FUZZ_CHECK(list.SaveMonth());
    FUZZ_CHECK(Contents(path) == second);
    return 0;
}
