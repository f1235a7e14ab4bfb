#include "shell/Application.h"

#include <exception>
#include <new>

#include <QIcon>

#include "InstallLayout.h"
#include "common/MessageBoxes.h"
#include "desktop/ProductInfo.h"

namespace tarvoss {

Application::Application(int& argc, char** argv, MessageBoxes& boxes) : QApplication(argc, argv), boxes_(boxes) {
    setApplicationName(kProductName);
    setOrganizationName(kMakerName);
    setApplicationVersion(kProductVersion);
    // The desktop finds the menu entry, and with it the icon, of the window by this name.
    setDesktopFileName(kDesktopEntryId);
    setWindowIcon(QIcon::fromTheme(kDesktopEntryId));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowEscapedException(boxes_, std::current_exception());
        return false;
    }
}

void ShowEscapedException(MessageBoxes& boxes, const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        boxes.ShowError(
            "The allocation attempt failed because of a lack of available memory or heap "
            "corruption !",
            "Error");
    } catch (const std::exception& e) {
        boxes.ShowError(e.what(), "Error");
    } catch (...) {
        boxes.ShowError("An unknown error has occurred.", "Error");
    }
}

}  // namespace tarvoss
