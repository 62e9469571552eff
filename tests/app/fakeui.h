// The timing engine's window side, answered by the test.
#pragma once

#include "app/worktiming.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace zanpel::test {

class FakeUi : public TTimingUi {
public:
    void SetWorkTimer(bool on) override { WorkTimer = on; }
    void SetEfTimer(bool on) override { EfTimer = on; }
    void SetAppSwitchMode(bool on) override { AppSwitchMode.push_back(on); }
    void SetBarEnabled(bool on) override { BarEnabled = on; }
    bool Confirm(const std::string& text) override {
        Asked.push_back(text);
        EXPECT_FALSE(WorkTimer) << "ticks must stop while asking";
        const bool yes = !Answers.empty() && Answers.front();
        if (!Answers.empty())
            Answers.pop_front();
        return yes;
    }
    std::optional<TMemoResult> AskMemo(const TMemoRequest& request) override {
        MemoRequests.push_back(request);
        if (WhileMemoOpen)
            WhileMemoOpen();
        return MemoAnswer;
    }

    bool WorkTimer = false;
    bool EfTimer = true;
    bool BarEnabled = true;
    std::vector<bool> AppSwitchMode;
    std::vector<std::string> Asked;
    std::deque<bool> Answers;
    std::vector<TMemoRequest> MemoRequests;
    std::optional<TMemoResult> MemoAnswer;
    std::function<void()> WhileMemoOpen;
};

} // namespace zanpel::test
