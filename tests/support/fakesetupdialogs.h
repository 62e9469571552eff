// The settings dialog's questions, answered by the test with Answer and
// noted in Asked; the errors it shows noted in Errors.
#pragma once

#include "settings/setupform.h"

#include <string>
#include <vector>

namespace zanpel::test {

class FakeSetupDialogs : public TSetupDialogs {
public:
    TAnswer AskYesNoCancel(QWidget*, const std::string& text) override {
        Asked.push_back(text);
        return Answer;
    }
    void ShowError(QWidget*, const std::string& text) override { Errors.push_back(text); }
    TAnswer Answer = TAnswer::Cancel;
    std::vector<std::string> Asked;
    std::vector<std::string> Errors;
};

} // namespace zanpel::test
