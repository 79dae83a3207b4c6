#pragma once
// The message box that reports a script's error.

#include "scripting/control/ScriptControl.h"

#include <QString>

class QWidget;

namespace quillo {

class Dialogs;

// "Error " Number ": " Description CR LF "On Line: " Line CR LF CR LF Text.
QString scriptErrorMessage(const script::ScriptControlError& error);

// Shows the report titled "Script Error", critical icon, OK only.
void showScriptError(Dialogs& dialogs, QWidget* owner, const script::ScriptControlError& error);

} // namespace quillo
