#pragma once
// Connects the language files and the settings to the main window: installs
// the language steps of its full load, adds the rows of section "MainForm"
// to the catalogue, and lets the Settings dialog run the full load after a
// change of language and apply the hidden-key switch. Call once the dialogs
// are attached; everything made here belongs to the window.

namespace tarvoss {

class TfrmMain;

void InstallLanguageSetup(TfrmMain& main);

}  // namespace tarvoss
