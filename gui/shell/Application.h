#pragma once
// The application object: titled with the product name, and the one place
// where an exception that escapes an event handler is caught and shown, so
// that the program goes on.

#include <QApplication>

namespace tarvoss {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the error box for an exception that reached the top of a thread.
void ShowEscapedException(const std::exception_ptr& error);

}  // namespace tarvoss
