#pragma once
// Every message box of the program goes through this interface, so that the
// window, the command line and the tests each answer them in their own way.
// Implementations must be callable from any thread: a box shown for the worker
// blocks the worker, never the window.

#include <functional>
#include <string>

namespace tarvoss {

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Information icon, OK button, no owner window.
    virtual void ShowInformation(const std::string& text, const std::string& caption) = 0;
    // Error icon, OK button, no owner window.
    virtual void ShowError(const std::string& text, const std::string& caption) = 0;
    // Warning icon, Yes and No buttons; true when the user chose Yes.
    // `owner` names the window or page asking (empty for none); a GUI
    // implementation maps it to a parent widget.
    virtual bool AskQuestion(const std::string& text, const std::string& caption, const std::string& owner = {}) = 0;
    // Question icon, Yes and No buttons; true when the user chose Yes. For the
    // questions asked before a run starts. Without a box of that look, it is
    // asked as AskQuestion.
    virtual bool AskConfirmation(const std::string& text, const std::string& caption, const std::string& owner = {}) {
        return AskQuestion(text, caption, owner);
    }

    // An error box that does not hold up the caller's window: `dismissed` runs
    // once the box is gone. Without such boxes, the box is shown as ShowError
    // and `dismissed` runs when it returns.
    virtual void OpenError(const std::string& text, const std::string& caption, std::function<void()> dismissed) {
        ShowError(text, caption);
        dismissed();
    }
    // Closes every box opened by OpenError as if the user had answered it.
    virtual void CloseOpenBoxes() {}
};

// The process-wide message boxes. A front end installs its own at start-up;
// until then a console implementation writes to standard error and answers No.
MessageBoxes& CurrentMessageBoxes();
// Installs `boxes` (not owned; must outlive its use) and returns the previous one.
// Passing nullptr restores the console implementation.
MessageBoxes* InstallMessageBoxes(MessageBoxes* boxes);

// Shorthands for the kinds of box on the current implementation.
void ShowInformation(const std::string& text, const std::string& caption);
void ShowError(const std::string& text, const std::string& caption);
bool AskQuestion(const std::string& text, const std::string& caption, const std::string& owner = {});
bool AskConfirmation(const std::string& text, const std::string& caption, const std::string& owner = {});

}  // namespace tarvoss
