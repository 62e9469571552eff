// The summary window on a month of July 2005 in a folder of the test's own
// (two computer-on days, three items), its dialogs answered by the test.
#pragma once

#include "reports/sumform.h"
#include "reports/workreportdialog.h"
#include "settings/initparam.h"
#include "support/fakejournalsource.h"
#include "support/fakereportdialogs.h"
#include "support/testsupport.h"
#include "worklist/datalist.h"

#include <QTableView>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zanpel::test {

class SummaryWindow : public ::testing::Test {
protected:
    SummaryWindow() : list(clock, reporter) {
        WriteFile(dir.File("200507.dat"),
                  Sjis("2005/07/04,%LOGIN%,,\"09:00:00,18:15:00,,\",\"12:00:00,13:00:00,休憩,\"\r\n"
                       "2005/07/04,設計,仕様の確認,\"09:00:00,12:00:00,基本,\",\"13:00:00,15:00:"
                       "00,詳細,メモ\"\r\n"
                       "2005/07/01,%LOGIN%,,\"08:50:00,17:30:00,,\"\r\n"
                       "2005/07/01,会議,,\"10:00:00,11:00:00,,\"\r\n"));
        list.SetDataDir(dir.Path());
        list.ChangeDate(Today(clock));
        settings.WorkDayBegin = 540;
        settings.WorkDayEnd = 1020;
        settings.RestTimes = "720:780";
    }
    std::unique_ptr<TSumForm> Make(int journalError = ENOSYS) {
        TSumForm::Environment env;
        env.OpenJournal = [journalError] {
            return std::make_unique<FakeJournalSource>(std::vector<uint64_t>{}, journalError);
        };
        env.ReplaceWorkList = [this](const TDataList& corrected) {
            HandedBack.push_back(&corrected);
        };
        env.StateFolder = StateFolder;
        env.OutputWriter = OutputWriter;
        auto form = std::make_unique<TSumForm>(list, settings, clock, dialogs, std::move(env));
        return form;
    }
    static std::vector<std::string> Row(const QTableView* view, int row) {
        std::vector<std::string> cells;
        for (int c = 0; c < view->model()->columnCount(); ++c)
            cells.push_back(view->model()->index(row, c).data().toString().toStdString());
        return cells;
    }
    static QTableView* List(QWidget& form, const char* name) {
        return form.findChild<QTableView*>(name);
    }
    static int Selected(QTableView* view) {
        const auto rows = view->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
    // Runs the report with the dialog answered by choose.
    void Report(TSumForm& form, const std::function<void(TWorkReport&)>& choose) {
        dialogs.OnExec = [&](QDialog& dialog) {
            auto* report = qobject_cast<TWorkReport*>(&dialog);
            EXPECT_NE(report, nullptr);
            if (report)
                choose(*report);
            return QDialog::Accepted;
        };
        form.SaveBtnClick();
        dialogs.OnExec = nullptr;
    }

    TempDir dir;
    FixedClock clock{EncodeDate(2005, 8, 20), 12 * 3600};
    CollectingErrorReporter reporter;
    TInitParam settings;
    TDataList list;
    FakeReportDialogs dialogs;
    std::vector<const TDataList*> HandedBack;
    std::string StateFolder;              // none: nothing remembered
    AtomicWriter* OutputWriter = nullptr; // none: the standard writer
};

} // namespace zanpel::test
