// The saves at the program's end on a full disk: the settings, the
// definitions and the month are all tried again for as long as the user asks.
#include "app/endsave.h"
#include "settings/initparam.h"
#include "support/diskfullwriter.h"
#include "worklist/worklistfixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class EndSave : public WorkListTest {
protected:
    EndSave() {
        list.SetWriter(&disk);
        settings.FileName = dir.File("zanpel.ini");
        WriteFile(settings.FileName, "AUTOHIDE=1\r\n");
        WriteFile(Definitions(), Sjis("@設計,,\r\n"));
        EXPECT_TRUE(list.LoadDefinitions(Definitions()));
        // What the session changed: a new item, a setting, an hour of work.
        list.AppSwitch().AddEntry({Sjis("新規"), "", "", false, {}});
        settings.AutoHide = false;
        list.ChangeDate(march1);
        list.StartWork(march1, A);
        At(10, 0);
        list.UpdateRunning();
    }
    std::string Definitions() const { return dir.File("zanpel.wk2"); }
    TEndSave End(std::function<bool(const std::string&)> askAgain) {
        return {settings, list, reporter, Definitions(), std::move(askAgain), {}, &disk};
    }

    DiskFullWriter disk;
    TInitParam settings;
};

TEST_F(EndSave, WhatTheFullDiskRefusedIsWrittenOnceTheUserFreedItAndAskedAgain) {
    std::vector<std::string> questions;
    const bool saved = SaveAtEnd(End([&](const std::string& question) {
        questions.push_back(question);
        disk.Full = false; // the user made room
        return questions.size() < 5;
    }));
    EXPECT_TRUE(saved);
    ASSERT_EQ(questions.size(), 1u);
    for (const std::string& file : {settings.FileName, Definitions(), dir.File("200503.dat")})
        EXPECT_THAT(questions[0], HasSubstr("\r\n" + file)) << file;
    EXPECT_THAT(ReadFile(settings.FileName), HasSubstr("AUTOHIDE=0"));
    EXPECT_THAT(ReadFile(Definitions()), HasSubstr(Sjis("@新規,")));
    EXPECT_THAT(ReadFile(dir.File("200503.dat")), HasSubstr("\"09:00:00,10:00:00,,\""));
}

TEST_F(EndSave, AnswerNoLeavesTheFilesAsTheyWere) {
    std::vector<std::string> questions;
    EXPECT_FALSE(SaveAtEnd(End([&](const std::string& question) {
        questions.push_back(question);
        return questions.size() < 3; // twice again, then no
    })));
    EXPECT_EQ(questions.size(), 3u);
    EXPECT_EQ(ReadFile(settings.FileName), "AUTOHIDE=1\r\n");
    EXPECT_EQ(ReadFile(Definitions()), Sjis("@設計,,\r\n"));
    EXPECT_FALSE(FileExists(dir.File("200503.dat")));
}

TEST_F(EndSave, WithoutAQuestionEverythingIsTriedOnce) {
    disk.Full = false;
    std::vector<std::string> traced;
    TEndSave end = End({});
    end.Trace = [&](const std::string& line) { traced.push_back(line); };
    EXPECT_TRUE(SaveAtEnd(end));
    EXPECT_THAT(traced, ElementsAre("saved settings", "saved definitions", "saved month"));
}

} // namespace
} // namespace zanpel::test
