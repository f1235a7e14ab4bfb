#pragma once
// Message boxes for tests: every box is recorded, and questions are answered
// from a script (No when the script is empty). Installed for the lifetime of
// the object. Safe to use from a worker thread.

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "common/MessageBoxes.h"

namespace tarvoss::testing {

struct RecordedBox {
    // Question has the warning icon, Confirmation the question icon.
    enum class Kind { Information, Error, Question, Confirmation } kind;
    std::string text;
    std::string caption;
    std::string owner;
};

class ScriptedMessageBoxes final : public MessageBoxes {
public:
    ScriptedMessageBoxes() : previous_(InstallMessageBoxes(this)) {}
    ~ScriptedMessageBoxes() override { InstallMessageBoxes(previous_); }

    void AnswerNext(bool yes) {
        std::lock_guard lock(mutex_);
        answers_.push_back(yes);
    }
    std::vector<RecordedBox> Boxes() const {
        std::lock_guard lock(mutex_);
        return boxes_;
    }

    void ShowInformation(const std::string& text, const std::string& caption) override {
        Record({RecordedBox::Kind::Information, text, caption, {}});
    }
    void ShowError(const std::string& text, const std::string& caption) override {
        Record({RecordedBox::Kind::Error, text, caption, {}});
    }
    bool AskQuestion(const std::string& text, const std::string& caption,
                     const std::string& owner) override {
        return Ask({RecordedBox::Kind::Question, text, caption, owner});
    }
    bool AskConfirmation(const std::string& text, const std::string& caption,
                         const std::string& owner) override {
        return Ask({RecordedBox::Kind::Confirmation, text, caption, owner});
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

    MessageBoxes* previous_;
    mutable std::mutex mutex_;
    std::vector<RecordedBox> boxes_;
    std::deque<bool> answers_;
};

}  // namespace tarvoss::testing
