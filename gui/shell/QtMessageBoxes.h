#pragma once
// The message boxes of the window: QMessageBox with the icon, caption and
// buttons of each kind. Callable from any thread: a call from a worker is
// carried out on the window thread and blocks only the calling worker.
// Boxes opened with OpenError are modeless: the window stays usable while
// they are up.

#include <QList>
#include <QObject>
#include <QPointer>
#include <array>
#include <memory>
#include <string>

#include "common/MessageBoxes.h"

class QMessageBox;
class QWidget;

namespace tarvoss {

class QtMessageBoxes final : public QObject, public MessageBoxes {
    Q_OBJECT
public:
    // Question has the warning icon; Confirmation the question icon.
    enum class Kind { Information, Error, Question, Confirmation };

    // Create on the window thread; the boxes are shown there.
    explicit QtMessageBoxes(QObject* parent = nullptr);

    void ShowInformation(const std::string& text, const std::string& caption) override;
    void ShowError(const std::string& text, const std::string& caption) override;
    bool AskQuestion(const std::string& text, const std::string& caption, BoxOwner owner = BoxOwner::None) override;
    bool AskConfirmation(const std::string& text, const std::string& caption, BoxOwner owner = BoxOwner::None) override;
    void OpenError(const std::string& text, const std::string& caption, std::function<void()> dismissed) override;
    void CloseOpenBoxes() override;

    // The widget whose questions come as `owner` (window thread; not owned).
    // A widget that goes owns no box from then on.
    void SetOwner(BoxOwner owner, QWidget* widget);
    // The widget set for `owner`; none for BoxOwner::None, an owner never
    // set or one whose widget is gone.
    QWidget* OwnerWidget(BoxOwner owner) const;

    // The box shown for one message, belonging to `owner` when given.
    static std::unique_ptr<QMessageBox> BuildBox(Kind kind, const std::string& text, const std::string& caption,
                                                 QWidget* owner = nullptr);

private:
    // Shows a box on the window thread and returns whether Yes was chosen.
    bool Show(Kind kind, const std::string& text, const std::string& caption, BoxOwner owner);

    // The owners' widgets, by BoxOwner.
    std::array<QPointer<QWidget>, 3> owners_;

    // The modeless boxes still on screen.
    QList<QPointer<QMessageBox>> openBoxes_;
};

}  // namespace tarvoss
