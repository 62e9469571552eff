#include "app/programclock.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace zanpel {
namespace {

class TSleepFileClock final : public Clock {
public:
    explicit TSleepFileClock(std::string file) : m_file(std::move(file)) {}
    TDateTime Now() const override {
        return m_system.Now() + static_cast<double>(Slept()) / SecondsPerDay;
    }
    int64_t MonotonicMilliseconds() const override { return m_system.MonotonicMilliseconds(); }
    int64_t BootTimeMilliseconds() const override {
        return m_system.BootTimeMilliseconds() + Slept() * 1000;
    }

private:
    // Read again whenever the file changes.
    int64_t Slept() const {
        struct stat st {};
        if (::stat(m_file.c_str(), &st) != 0)
            return 0;
        if (st.st_mtim.tv_sec != m_seen.tv_sec || st.st_mtim.tv_nsec != m_seen.tv_nsec ||
            st.st_size != m_size) {
            m_seen = st.st_mtim;
            m_size = st.st_size;
            std::ifstream in(m_file);
            int64_t seconds = 0;
            if (in >> seconds)
                m_slept = seconds;
        }
        return m_slept;
    }

    SystemClock m_system;
    std::string m_file;
    mutable timespec m_seen{};
    mutable off_t m_size = -1;
    mutable int64_t m_slept = 0;
};

} // namespace

std::unique_ptr<Clock> MakeProgramClock() {
    const char* file = std::getenv("ZANPEL_TEST_SLEEP_FILE");
    if (file != nullptr && file[0] != '\0')
        return std::make_unique<TSleepFileClock>(file);
    return std::make_unique<SystemClock>();
}

} // namespace zanpel
