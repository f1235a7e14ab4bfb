#pragma once
// The "Go!" page: starts, follows and stops a run.

#include <QFrame>
#include <QPoint>
#include <atomic>

namespace tarvoss {

class TframGo : public QFrame {
    Q_OBJECT
public:
    explicit TframGo(QWidget* parent = nullptr);

    // Lays out the page's buttons and gauges.
    virtual void ArrangePage();
    // Press and release of the action button; the release starts a run.
    virtual void shpGoMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                QPoint position);
    virtual void shpGoMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                              QPoint position);

    // Set while a started run has not come to its end; closing the main
    // window asks first while it is set. Any thread may read and write it.
    bool RunUnfinished() const { return runUnfinished_.load(); }
    void SetRunUnfinished(bool unfinished) { runUnfinished_.store(unfinished); }

private:
    std::atomic<bool> runUnfinished_{false};
};

}  // namespace tarvoss
