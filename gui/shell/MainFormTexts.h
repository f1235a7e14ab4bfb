#pragma once
// The rows of section "MainForm": the main window's menus, toolbar captions
// and close question.

namespace tarvoss {

class TextCatalogue;
class TfrmMain;

void AddMainFormTexts(TfrmMain& main, TextCatalogue& catalogue);

}  // namespace tarvoss
