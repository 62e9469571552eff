// The start of the bar on the desktop session it finds: the Qt platform to
// take, the foreground sources, and how the bar gets its place.
#pragma once

#include "app/zanpelform.h"

#include <string>

namespace zanpel {

// Before the application object exists: on a Wayland session with XWayland,
// and without a platform chosen by the user, Qt is to take XWayland, where
// the bar can dock and stay above. Answers whether it chose for Qt.
bool ChooseQtPlatform();
// Once the application object exists: the choice is not handed down to the
// programs the bar starts (a browser for the web page).
void ForgetQtPlatformChoice(bool chosen);

// Fills the environment's foreground source, the session's description and
// the tiling manager's socket. ownAppId: this program's Wayland app_id.
void SetUpSession(TZanpelForm::Environment& env, const std::string& ownAppId);

} // namespace zanpel
