// The answers of the bar's editors, for the fakes of the interfaces that open
// them (the bar's dialogs, the editors' side of the window).
#pragma once

#include "reports/timeeditmodel.h"
#include "settings/setupoptions.h"

#include <functional>
#include <optional>
#include <vector>

namespace zanpel::test {

// The settings dialog and the record editor on top of Ui (an interface that
// opens both): they get what Setup and Edit answer (cancelled without them),
// and what they were opened with is noted.
template <class Ui> class EditorDialogAnswers : public Ui {
public:
    std::optional<TSetupResult> ShowSetup(const TSetupInput& input) override {
        ++SetupShown;
        SetupInput = input;
        return Setup ? Setup(input) : std::nullopt;
    }
    std::optional<TRecordEditResult> EditRecord(const TRecordEditRequest& request) override {
        EditRequests.push_back(request);
        return Edit ? Edit(request) : std::nullopt;
    }

    int SetupShown = 0;
    std::optional<TSetupInput> SetupInput; // the last one
    std::function<std::optional<TSetupResult>(const TSetupInput&)> Setup;
    std::vector<TRecordEditRequest> EditRequests;
    std::function<std::optional<TRecordEditResult>(const TRecordEditRequest&)> Edit;
};

} // namespace zanpel::test
