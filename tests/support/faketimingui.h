// The window's side of the timing engine, answered by the test: the timers'
// and the bar's states are kept, the switches of the application mode noted
// in their order, questions answered from Answers (No when it is empty) and
// checked to come while the work timer stands, and the memo dialog gets
// MemoAnswer after WhileMemoOpen ran; errors are kept in Errors.
#pragma once

#include "app/worktiming.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zanpel::test {

class FakeTimingUi : public TTimingUi {
public:
    void SetWorkTimer(bool on) override { WorkTimer = on; }
    void SetAutoHideTimer(bool on) override { AutoHideTimer = on; }
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
    void ShowError(const std::string& text) override { Errors.push_back(text); }

    bool WorkTimer = false;
    bool AutoHideTimer = true;
    bool BarEnabled = true;
    std::vector<bool> AppSwitchMode;
    std::vector<std::string> Asked;
    std::deque<bool> Answers;
    std::vector<TMemoRequest> MemoRequests;
    std::optional<TMemoResult> MemoAnswer;
    std::function<void()> WhileMemoOpen;
    std::vector<std::string> Errors;
};

} // namespace zanpel::test
