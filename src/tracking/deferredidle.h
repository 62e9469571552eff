// An idle source opened after the bar's first frame: the bus and the window
// system are asked which source the session has only then, not while the
// user waits for the bar. What the bar asks of it before (the watch) waits
// and reaches the source when it opens; asking what the source is opens it
// at once.
#pragma once

#include "tracking/idlesource.h"

#include <functional>
#include <memory>
#include <optional>

namespace zanpel {

class TDeferredIdleSource final : public IdleSource {
public:
    using Opener = std::function<std::unique_ptr<IdleSource>()>;
    explicit TDeferredIdleSource(Opener open);

    // Opens the source (only the first call does anything).
    void Open() const;

    bool Available() const override;
    std::string Name() const override;
    void Watch(std::chrono::milliseconds after) override;

private:
    mutable Opener m_open;
    mutable std::unique_ptr<IdleSource> m_source; // none until opened
    mutable std::optional<std::chrono::milliseconds> m_watch;
};

} // namespace zanpel
