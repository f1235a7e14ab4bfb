#include "common/MessageBoxes.h"

#include <atomic>
#include <iostream>
#include <mutex>

namespace tarvoss {
namespace {

// Until a front end installs its own boxes, messages go to standard error and
// questions are answered No, the answer that changes nothing.
class ConsoleMessageBoxes final : public MessageBoxes {
public:
    void ShowInformation(const std::string& text, const std::string& caption) override { Print(caption, text); }
    void ShowError(const std::string& text, const std::string& caption) override { Print(caption, text); }
    bool AskQuestion(const std::string& text, const std::string& caption, const std::string&) override {
        Print(caption, text + " (answered No)");
        return false;
    }

private:
    void Print(const std::string& caption, const std::string& text) {
        std::lock_guard lock(mutex_);
        std::cerr << caption << ": " << text << std::endl;
    }
    std::mutex mutex_;
};

ConsoleMessageBoxes& Console() {
    static ConsoleMessageBoxes console;
    return console;
}

std::atomic<MessageBoxes*> installed{nullptr};

}  // namespace

MessageBoxes& CurrentMessageBoxes() {
    MessageBoxes* boxes = installed.load();
    return boxes != nullptr ? *boxes : Console();
}

MessageBoxes* InstallMessageBoxes(MessageBoxes* boxes) { return installed.exchange(boxes); }

void ShowInformation(const std::string& text, const std::string& caption) {
    CurrentMessageBoxes().ShowInformation(text, caption);
}

void ShowError(const std::string& text, const std::string& caption) { CurrentMessageBoxes().ShowError(text, caption); }

bool AskQuestion(const std::string& text, const std::string& caption, const std::string& owner) {
    return CurrentMessageBoxes().AskQuestion(text, caption, owner);
}

bool AskConfirmation(const std::string& text, const std::string& caption, const std::string& owner) {
    return CurrentMessageBoxes().AskConfirmation(text, caption, owner);
}

}  // namespace tarvoss
