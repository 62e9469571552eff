// The settings dialog's questions, answered by the test with Answer and
// noted in Asked.
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
    TAnswer Answer = TAnswer::Cancel;
    std::vector<std::string> Asked;
};

} // namespace zanpel::test
