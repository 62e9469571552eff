#include "tracking/reportedforeground.h"

#include "tracking/processname.h"
#include "tracking/windowtitle.h"

namespace zanpel {
namespace {

// A title is kept to MaxTitleBytes in CP932; converting more than a few
// times that much UTF-8 would only cost time (a window may retitle itself
// many times a second). The cut falls before a UTF-8 character's first byte.
std::string_view TitleWorthConverting(std::string_view title) {
    constexpr size_t worth = 4096;
    if (title.size() <= worth)
        return title;
    size_t end = worth;
    while (end > 0 && (static_cast<unsigned char>(title[end]) & 0xC0) == 0x80)
        --end;
    return title.substr(0, end);
}

} // namespace

TForegroundApp AppOfReport(const TWindowReport& window, uint32_t ownPid,
                           const std::string& procRoot) {
    if (window.Pid != 0 && window.Pid == ownPid)
        return {};
    std::string exe = ExeNameOfProcess(window.Pid, ownPid, procRoot);
    if (exe.empty())
        exe = ExeNameOfPath(window.ResourceClass);
    if (exe.empty())
        return {};
    return {std::move(exe),
            WindowTitleText(TTitleEncoding::Utf8, TitleWorthConverting(window.Title))};
}

TReportedForeground::TReportedForeground(uint32_t ownPid, std::string procRoot)
    : m_ownPid(ownPid), m_procRoot(std::move(procRoot)) {}

void TReportedForeground::Report(const TWindowReport& window) {
    // The desktop names no window; the bar needs to know only whether one
    // is in front, its own included.
    const bool none = window.ResourceClass.empty() && window.Title.empty() && window.Pid == 0;
    Set(AppOfReport(window, m_ownPid, m_procRoot), none ? 0 : 1);
}

void TReportedForeground::SetAvailable(bool available) {
    if (available == m_available)
        return;
    m_available = available;
    if (!available)
        Set({}, 0);
    else
        Changed();
}

void TReportedForeground::Set(TForegroundApp app, uint64_t window) {
    if (app == m_app && window == m_window)
        return;
    m_app = std::move(app);
    m_window = window;
    Changed();
}

TPreferredForeground::TPreferredForeground(std::unique_ptr<ForegroundSource> preferred,
                                           TForegroundCoverage preferredCoverage,
                                           std::unique_ptr<ForegroundSource> fallback,
                                           TForegroundCoverage fallbackCoverage)
    : m_preferred(std::move(preferred)), m_fallback(std::move(fallback)),
      m_preferredCoverage(preferredCoverage), m_fallbackCoverage(fallbackCoverage) {
    // A change of either may change the answer: the preferred one's
    // availability decides whose it is.
    m_preferred->SetOnChange([this] { Changed(); });
    m_fallback->SetOnChange([this] {
        if (!m_preferred->Available())
            Changed();
    });
}

TPreferredForeground::~TPreferredForeground() {
    m_preferred->SetOnChange(nullptr);
    m_fallback->SetOnChange(nullptr);
}

ForegroundSource& TPreferredForeground::Current() const {
    return m_preferred->Available() ? *m_preferred : *m_fallback;
}

} // namespace zanpel
