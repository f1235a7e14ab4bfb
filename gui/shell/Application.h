#pragma once
// The application object: titled with the product name, and the one place
// where an exception that escapes an event handler is caught and shown, so
// that the program goes on.

#include <QApplication>

namespace tarvoss {

class MessageBoxes;

class Application : public QApplication {
    Q_OBJECT
public:
    // An escaped exception is shown in `boxes` (not owned).
    Application(int& argc, char** argv, MessageBoxes& boxes);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    MessageBoxes& boxes_;
};

// Shows the error box for an exception that reached the top of a thread.
void ShowEscapedException(MessageBoxes& boxes, const std::exception_ptr& error);

}  // namespace tarvoss
