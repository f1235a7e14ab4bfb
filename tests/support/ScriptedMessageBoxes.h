#pragma once
// The message boxes of every test, engine and window alike: every box is
// recorded instead of shown, and questions are answered from a script (No
// when the script is empty). Hand it to what shows boxes. Safe to use from a
// worker thread.

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "common/MessageBoxes.h"

namespace tarvoss::testing {

struct RecordedBox {
    // "information", "error", "question" (warning icon) or "confirmation"
    // (question icon)
    std::string kind;
    std::string text;
    std::string caption;
    BoxOwner owner = BoxOwner::None;
};

class ScriptedMessageBoxes final : public MessageBoxes {
public:
    void AnswerNext(bool yes) {
        std::lock_guard lock(mutex_);
        answers_.push_back(yes);
    }
    std::vector<RecordedBox> Boxes() const {
        std::lock_guard lock(mutex_);
        return boxes_;
    }

    void ShowInformation(const std::string& text, const std::string& caption) override {
        Record({"information", text, caption, {}});
    }
    void ShowError(const std::string& text, const std::string& caption) override {
        Record({"error", text, caption, {}});
    }
    bool AskQuestion(const std::string& text, const std::string& caption, BoxOwner owner) override {
        return Ask({"question", text, caption, owner});
    }
    bool AskConfirmation(const std::string& text, const std::string& caption, BoxOwner owner) override {
        return Ask({"confirmation", text, caption, owner});
    }

private:
    bool Ask(RecordedBox box) {
        std::lock_guard lock(mutex_);
        boxes_.push_back(std::move(box));
        if (answers_.empty()) return false;
        const bool yes = answers_.front();
        answers_.pop_front();
        return yes;
    }

    void Record(RecordedBox box) {
        std::lock_guard lock(mutex_);
        boxes_.push_back(std::move(box));
    }

    mutable std::mutex mutex_;
    std::vector<RecordedBox> boxes_;
    std::deque<bool> answers_;
};

}  // namespace tarvoss::testing
