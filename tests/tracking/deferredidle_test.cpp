// The idle source that opens after the bar's first frame: nothing the bar
// asked of it before is lost, and it opens once, when told or when asked
// what it is.
#include "support/idlerecorder.h"
#include "tracking/deferredidle.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>

namespace zanpel::test {
namespace {

using namespace std::chrono_literals;

// A source the test makes speak.
class ScriptedIdle final : public IdleSource {
public:
    bool Available() const override { return true; }
    std::string Name() const override { return "scripted"; }
    void Watch(std::chrono::milliseconds after) override { Watched = after; }
    void Speak() const {
        Idle(5min);
        Active();
        Locked(true);
    }
    std::optional<std::chrono::milliseconds> Watched;
};

TEST(DeferredIdleSource, OpensOnceAndPassesOnTheWatchAndEverythingItHears) {
    int opened = 0;
    ScriptedIdle* real = nullptr;
    TDeferredIdleSource source([&] {
        ++opened;
        auto made = std::make_unique<ScriptedIdle>();
        real = made.get();
        return made;
    });
    IdleRecorder recorder(source); // the bar's handlers, set before the open
    source.Watch(10min);
    source.Watch(15min);
    EXPECT_EQ(opened, 0);

    source.Open();
    source.Open();
    EXPECT_EQ(source.Name(), "scripted");
    EXPECT_EQ(opened, 1);
    ASSERT_NE(real, nullptr);
    EXPECT_EQ(real->Watched, 15min); // the latest watch, not the first
    real->Speak();
    EXPECT_EQ(recorder.Describe(), "idle 300000ms, active, locked");
    source.Watch(0ms);
    EXPECT_EQ(real->Watched, 0ms);
}

TEST(DeferredIdleSource, AskingWhatItIsOpensItAndNoSourceIsTheNullOne) {
    TDeferredIdleSource none([] { return std::unique_ptr<IdleSource>(); });
    none.Watch(10min);
    EXPECT_FALSE(none.Available());
    EXPECT_EQ(none.Name(), "");
}

} // namespace
} // namespace zanpel::test
