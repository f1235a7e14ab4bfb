#pragma once
// Message boxes for window tests: every box is recorded instead of shown, and
// questions take their answers from a script (No when the script is empty).
// Installed for the lifetime of the object.

#include <deque>
#include <string>
#include <vector>

#include "common/MessageBoxes.h"

namespace tarvoss::test {

class RecordingMessageBoxes final : public MessageBoxes {
public:
    struct Box {
        // "information", "error", "question" (warning icon) or
        // "confirmation" (question icon)
        std::string kind;
        std::string text;
        std::string caption;
        std::string owner;
    };

    RecordingMessageBoxes() : previous_(InstallMessageBoxes(this)) {}
    ~RecordingMessageBoxes() override { InstallMessageBoxes(previous_); }

    void Answer(bool yes) { answers_.push_back(yes); }
    const std::vector<Box>& shown() const { return shown_; }

    void ShowInformation(const std::string& text, const std::string& caption) override {
        shown_.push_back({"information", text, caption, {}});
    }
    void ShowError(const std::string& text, const std::string& caption) override {
        shown_.push_back({"error", text, caption, {}});
    }
    bool AskQuestion(const std::string& text, const std::string& caption,
                     const std::string& owner) override {
        return Ask({"question", text, caption, owner});
    }
    bool AskConfirmation(const std::string& text, const std::string& caption,
                         const std::string& owner) override {
        return Ask({"confirmation", text, caption, owner});
    }

private:
    bool Ask(Box box) {
        shown_.push_back(std::move(box));
        if (answers_.empty()) return false;
        const bool yes = answers_.front();
        answers_.pop_front();
        return yes;
    }

    MessageBoxes* previous_;
    std::deque<bool> answers_;
    std::vector<Box> shown_;
};

}  // namespace tarvoss::test
