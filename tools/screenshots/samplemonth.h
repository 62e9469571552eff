// The sample month as the summary and the report dialog get it from the
// bar: the work list on the sample folder and the settings read from there.
#pragma once

#include "app/messagebox.h"
#include "settings/initparam.h"
#include "shotregistry.h"
#include "worklist/datalist.h"

#include <QObject>

namespace zanpel::shots {

// What the windows work on; give it the window as parent to keep it as long.
class TSampleMonth : public QObject {
public:
    explicit TSampleMonth(TShotContext& context) : m_list(context.Clock, m_reporter) {
        m_settings.Load(context.DataFolder + "/zanpel.ini", m_reporter);
        m_list.SetDataDir(context.DataFolder);
        m_list.ChangeDate(Today(context.Clock));
    }
    TDataList& List() { return m_list; }
    TInitParam& Settings() { return m_settings; }
    TMessageBoxDialogs& Dialogs() { return m_dialogs; }

private:
    CollectingErrorReporter m_reporter;
    TDataList m_list;
    TInitParam m_settings;
    TMessageBoxDialogs m_dialogs;
};

} // namespace zanpel::shots
