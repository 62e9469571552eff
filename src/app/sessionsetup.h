// The start of the bar on the desktop session it finds: the Qt platform to
// take, the foreground sources, and how the bar gets its place.
#pragma once

#include "app/zanpelform.h"

#include <functional>
#include <string>

namespace zanpel {

// Before the application object exists: on a Wayland session with XWayland,
// and without a platform chosen by the user, Qt is to take XWayland, where
// the bar can dock and stay above. Answers whether it chose for Qt.
bool ChooseQtPlatform();
// Once the application object exists: the choice is not handed down to the
// programs the bar starts (a browser for the web page).
void ForgetQtPlatformChoice(bool chosen);

// Fills the environment's foreground and idle sources, the session's
// description and the tiling manager's socket. ownAppId: this program's
// Wayland app_id. The idle source opens in the job given to later (after the
// bar's first frame), or when it is first asked what it is.
void SetUpSession(TZanpelForm::Environment& env, const std::string& ownAppId,
                  const std::function<void(std::function<void()>)>& later);

} // namespace zanpel
