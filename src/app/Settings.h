#pragma once
// The main window's persisted settings: window geometry and state, word wrap, console,
// status bar, language and the document font, all under application "Brenholt", section
// "Tarka" of the settings store. Read once by the load step and written once by the
// unload step; the recent-files keys ("MRUFile0" ...) belong to the recent-files list.

namespace quillo {

class FormMain;
class SettingsStore;

// Reads each key with the target's current value as its default and applies it before
// the next key is read; then gives TextMain(1) and the console's TextOutput the font of
// TextMain(0). A value the program would never have written (text in a number key, a
// boolean that is neither "True" nor "False", a window state outside 0-2, a font size
// outside 1-1638 points, a window larger than all screens together or lying off every
// screen) leaves its target at the default.
void RestoreSettings(FormMain& form, SettingsStore& store);

// Writes the keys in the unload step's order: the main window's state and then its normal
// geometry, word wrap, console check, the console window's state and normal geometry
// (a hidden, minimised or maximised console is shown and restored first), status bar,
// language, and the font of the box in use. The recent-files list is written after this.
void SaveSettings(FormMain& form, SettingsStore& store);

} // namespace quillo
