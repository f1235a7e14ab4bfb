#pragma once
// Every message box of the program goes through this interface, so that the
// window, the command line and the tests each answer them in their own way.
// Each front end makes its boxes at start-up and hands them to whatever shows
// boxes. Implementations must be callable from any thread: a box shown for
// the worker blocks the worker, never the window.

#include <functional>
#include <string>

namespace tarvoss {

// The window or page a question belongs to; a GUI implementation shows the
// box over it. None: the box has no owner.
enum class BoxOwner { None, FilesPage, GoPage };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Information icon, OK button, no owner window.
    virtual void ShowInformation(const std::string& text, const std::string& caption) = 0;
    // Error icon, OK button, no owner window.
    virtual void ShowError(const std::string& text, const std::string& caption) = 0;
    // Warning icon, Yes and No buttons; true when the user chose Yes.
    virtual bool AskQuestion(const std::string& text, const std::string& caption, BoxOwner owner = BoxOwner::None) = 0;
    // Question icon, Yes and No buttons; true when the user chose Yes. For the
    // questions asked before a run starts. Without a box of that look, it is
    // asked as AskQuestion.
    virtual bool AskConfirmation(const std::string& text, const std::string& caption, BoxOwner owner = BoxOwner::None) {
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

}  // namespace tarvoss
