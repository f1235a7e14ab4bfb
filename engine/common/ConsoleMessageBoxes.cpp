#include "common/ConsoleMessageBoxes.h"

#include <iostream>

namespace tarvoss {

void ConsoleMessageBoxes::ShowInformation(const std::string& text, const std::string& caption) { Print(caption, text); }

void ConsoleMessageBoxes::ShowError(const std::string& text, const std::string& caption) { Print(caption, text); }

bool ConsoleMessageBoxes::AskQuestion(const std::string& text, const std::string& caption, BoxOwner) {
    Print(caption, text + " (answered No)");
    return false;
}

void ConsoleMessageBoxes::Print(const std::string& caption, const std::string& text) {
    std::lock_guard lock(mutex_);
    std::cerr << caption << ": " << text << std::endl;
}

}  // namespace tarvoss
