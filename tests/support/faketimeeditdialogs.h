// The record editor's own dialogs, answered by the test: a question gets
// Yes, the period memo dialog Memo and the new period dialog New; what each
// was asked is noted.
#pragma once

#include "reports/timeedit.h"

#include <optional>
#include <string>
#include <vector>

namespace zanpel::test {

class FakeTimeEditDialogs : public TTimeEditDialogs {
public:
    bool Confirm(QWidget*, const std::string& text) override {
        Asked.push_back(text);
        return Yes;
    }
    std::optional<TPeriodMemoResult> AskPeriodMemo(QWidget*,
                                                   const TPeriodMemoRequest& request) override {
        MemoRequests.push_back(request);
        return Memo;
    }
    std::optional<TNewPeriod> AskNewPeriod(QWidget*, const TNewPeriodRequest& request) override {
        NewRequests.push_back(request);
        return New;
    }
    bool Yes = true;
    std::vector<std::string> Asked;
    std::vector<TPeriodMemoRequest> MemoRequests;
    std::optional<TPeriodMemoResult> Memo;
    std::vector<TNewPeriodRequest> NewRequests;
    std::optional<TNewPeriod> New;
};

} // namespace zanpel::test
