#pragma once
// Message boxes without a window: each message goes to standard error and
// each question is answered No, the answer that changes nothing. The command
// line's boxes, and the boxes of the file records' report before a front end
// names its own.

#include <mutex>
#include <string>

#include "common/MessageBoxes.h"

namespace tarvoss {

class ConsoleMessageBoxes final : public MessageBoxes {
public:
    void ShowInformation(const std::string& text, const std::string& caption) override;
    void ShowError(const std::string& text, const std::string& caption) override;
    bool AskQuestion(const std::string& text, const std::string& caption, BoxOwner owner) override;

private:
    void Print(const std::string& caption, const std::string& text);

    std::mutex mutex_;
};

}  // namespace tarvoss
