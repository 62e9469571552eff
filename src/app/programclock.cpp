#include "app/programclock.h"

#include <sys/stat.h>
#include <time.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

namespace zanpel {
namespace {

// A file whose text is read again whenever it changes.
class TWatchedFile {
public:
    explicit TWatchedFile(const char* path) : m_path(path ? path : "") {}
    bool Changed() const {
        struct stat st {};
        if (m_path.empty() || ::stat(m_path.c_str(), &st) != 0)
            return false;
        if (st.st_mtim.tv_sec == m_seen.tv_sec && st.st_mtim.tv_nsec == m_seen.tv_nsec &&
            st.st_size == m_size)
            return false;
        m_seen = st.st_mtim;
        m_size = st.st_size;
        return true;
    }
    std::string Text() const {
        std::ifstream in(m_path);
        std::string text;
        std::getline(in, text);
        return text;
    }
    // When it was last written, in seconds since 1970.
    double Written() const { return static_cast<double>(m_seen.tv_sec) + m_seen.tv_nsec / 1e9; }

private:
    std::string m_path;
    mutable timespec m_seen{};
    mutable off_t m_size = -1;
};

class TTestClock final : public Clock {
public:
    TTestClock(const char* sleepFile, const char* clockFile)
        : m_sleepFile(sleepFile), m_clockFile(clockFile) {}
    // The files are taken in here: whoever compares the clocks reads the
    // date and time first (the sleep watch does).
    TDateTime Now() const override {
        Refresh();
        return m_system.Now() + (static_cast<double>(m_slept) + m_ahead) / SecondsPerDay;
    }
    int64_t MonotonicMilliseconds() const override {
        return m_system.MonotonicMilliseconds() + m_passed;
    }
    int64_t BootTimeMilliseconds() const override {
        return m_system.BootTimeMilliseconds() + m_slept * 1000 + m_passed;
    }

private:
    // Both files may have changed since the last look: a time set is the
    // time of day at the moment its file was written, with the sleeps
    // written before it and not those after.
    void Refresh() const {
        const bool set = m_clockFile.Changed();
        const int64_t sleptBefore = m_slept;
        if (m_sleepFile.Changed())
            m_slept = std::atoll(m_sleepFile.Text().c_str());
        if (!set)
            return;
        const std::string text = m_clockFile.Text();
        const std::optional<TDateTime> time = ParseDateTime(text.substr(0, 19));
        if (!time)
            return;
        const int64_t sleptAtSet =
            m_sleepFile.Written() > m_clockFile.Written() ? sleptBefore : m_slept;
        const double sinceWritten = RealSeconds() - m_clockFile.Written();
        const double ahead = (*time - m_system.Now()) * SecondsPerDay + sinceWritten -
                             static_cast<double>(sleptAtSet);
        const auto later = static_cast<int64_t>(std::llround((ahead - m_ahead) * 1000));
        if (later > 0 && text.substr(19) != " set")
            m_passed += later;
        m_ahead = ahead;
    }
    static double RealSeconds() {
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
    }

    SystemClock m_system;
    TWatchedFile m_sleepFile;
    TWatchedFile m_clockFile;
    mutable int64_t m_slept = 0;
    mutable double m_ahead = 0;
    mutable int64_t m_passed = 0; // milliseconds that passed by the clock file
};

const char* Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0' ? value : nullptr;
}

} // namespace

std::unique_ptr<Clock> MakeProgramClock() {
    const char* sleepFile = Variable("ZANPEL_TEST_SLEEP_FILE");
    const char* clockFile = Variable("ZANPEL_TEST_CLOCK_FILE");
    if (sleepFile != nullptr || clockFile != nullptr)
        return std::make_unique<TTestClock>(sleepFile, clockFile);
    return std::make_unique<SystemClock>();
}

} // namespace zanpel
