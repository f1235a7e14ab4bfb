#pragma once
// The "Go!" page: starts, follows and stops a run. It owns the run state and
// the run host through which the worker reads the pages and reports back; the
// worker itself never touches a widget.

#include <QFrame>
#include <QPoint>
#include <QString>
#include <memory>
#include <optional>

#include "batch/RunInputs.h"
#include "batch/RunState.h"
#include "cipher/FileTransforms.h"
#include "run/GoTexts.h"

class QLabel;
class QPlainTextEdit;
class QTimer;

namespace tarvoss {

class FlatButton;
class MessageBoxes;
class PageRunWindow;
class QtRunHost;
class TCGauge;
class Wizard;

class TframGo : public QFrame {
    Q_OBJECT
public:
    // The page's boxes, and the run's, are shown in `boxes` (not owned).
    explicit TframGo(MessageBoxes& boxes, QWidget* parent = nullptr);
    // Ends a run still going (see EndRuns) before the page goes.
    ~TframGo() override;

    // The window whose choices a run reads (not owned); none: the page
    // stands alone and starts no run.
    void SetWizard(Wizard* wizard);

    // Sizes the buttons from the current language's sizes and lines up the
    // gauges with their labels.
    virtual void ArrangePage();
    // The caption of the action button ("Encrypt" or "Decrypt").
    void SetActionCaption(const QString& caption);

    // The Start action: unless a run is going, checks the inputs and starts
    // a worker for the chosen action.
    virtual void StartAction();

    // Press and release of the action button; every release of the left
    // button runs the Start action.
    void shpGoMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    void shpGoMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    // Press and release of the Stop button; a release on the button (3 pixels
    // of tolerance left and above) runs the Stop action.
    void shpStopMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    void shpStopMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    // Carries the current file's progress into its gauge (every 100 ms).
    void tmrSynchroTimer();

    // Set while a started run has not completed; closing the main window asks
    // first while it is set. Any thread may read and write it.
    bool RunUnfinished() const { return runState_.RunUnfinished.load(); }
    void SetRunUnfinished(bool unfinished) { runState_.RunUnfinished.store(unfinished); }
    bool StopRequested() const { return runState_.StopRequested.load(); }
    // From the start of a worker until all its reports have reached the page.
    bool RunActive() const { return runActive_; }

    // The program is to end once the run is over: the run stops after the
    // file in hand, its error boxes are dismissed and no new ones appear;
    // runEnded follows when the worker is done.
    void StopForQuit();

    // The program is about to end: hides the window, asks a run still going
    // to stop, and waits until the worker has finished the file in hand, so
    // no file is left half transformed.
    void EndRuns();

signals:
    // A worker has ended and everything it reported is on the page.
    void runEnded();

protected:
    // Starts a worker for `inputs`; false when no thread could be made.
    virtual bool CreateWorker(RunInputs inputs);

private:
    // What the run takes once, from the wizard's choices as they are now,
    // with the key assembled from the key as typed; false when the key cannot
    // be used.
    bool TakeRunInputs(RunInputs& inputs);
    void CreateControls();
    void AddLanguageTexts();
    void StopAction();
    void WorkerEnded();

    QPlainTextEdit* txtLog = nullptr;
    QLabel* lblCurFile = nullptr;
    QLabel* lblCurFileName = nullptr;
    QLabel* lblCurFileProgress = nullptr;
    TCGauge* pbCurrent = nullptr;
    QLabel* lblTotalProgress = nullptr;
    TCGauge* pbTotal = nullptr;
    FlatButton* shpStop = nullptr;
    FlatButton* shpGo = nullptr;
    QTimer* tmrSynchro = nullptr;

    MessageBoxes& boxes_;
    GoTexts texts_;
    RunState runState_;
    std::unique_ptr<PageRunWindow> runWindow_;
    QtRunHost* host_ = nullptr;
    Wizard* wizard_ = nullptr;
    bool runActive_ = false;
    bool ended_ = false;
    // The status line before the Stop action asked the user to wait.
    std::optional<QString> statusBeforeStop_;
};

}  // namespace tarvoss
