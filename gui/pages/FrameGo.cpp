#include "pages/FrameGo.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

#include "batch/RunInputs.h"
#include "cipher/KeyMaterial.h"
#include "cipher/KeyWipe.h"
#include "common/MessageBoxes.h"
#include "desktop/ProductInfo.h"
#include "lang/LanguageKeys.h"
#include "lang/LanguageState.h"
#include "model/RunChoices.h"
#include "model/Wizard.h"
#include "pages/PageGeometry.h"
#include "run/PageRunWindow.h"
#include "run/QtRunHost.h"
#include "run/StartChecks.h"
#include "settings/TextCatalogue.h"
#include "widgets/FlatButton.h"
#include "widgets/Gauge.h"

namespace tarvoss {
namespace {

// Place of the controls on the page.
const QRect kLogGeometry{4, 10, 513, 191};
const QRect kCurrentGaugeGeometry{187, 241, 303, 21};
const QRect kTotalGaugeGeometry{187, 268, 303, 21};
const QPoint kCurFileLabelAt{28, 216};
const QPoint kCurFileNameAt{187, 218};
const QPoint kCurFileProgressLabelAt{28, 243};
const QPoint kTotalProgressLabelAt{28, 270};
const QRect kStopGeometry{258, 310, 117, 25};
const QRect kGoGeometry{386, 310, 117, 25};
// Gap between the progress label and the gauges; between the two buttons.
constexpr int kGaugeGap = 30;
constexpr int kButtonGap = 5;
constexpr int kSynchroInterval = 100;  // ms

// The built-in English text of one of the page's keys.
QString English(std::string_view key) { return EnglishText(kGoSection, key); }

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(at);
    label->adjustSize();
    return label;
}

}  // namespace

TframGo::TframGo(MessageBoxes& boxes, QWidget* parent) : QFrame(parent), boxes_(boxes) {
    setObjectName("framGo");
    setFrameShape(QFrame::NoFrame);
    setGeometry(0, 0, kPageWidth, kPageHeight);
    CreateControls();
    runWindow_ = std::make_unique<PageRunWindow>(RunControls{txtLog, lblCurFileName, pbTotal, shpGo, shpStop}, texts_,
                                                 boxes_, [this] { WorkerEnded(); });
    host_ = new QtRunHost(*runWindow_, this);
    AddLanguageTexts();
    // Ending the program during a run waits for the file in hand.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] {
        window()->hide();
        EndRuns();
    });
}

void TframGo::SetWizard(Wizard* wizard) {
    wizard_ = wizard;
    runWindow_->SetWizard(wizard);
}

TframGo::~TframGo() {
    EndRuns();
    // The host goes before the window side it serves.
    delete host_;
    host_ = nullptr;
}

void TframGo::CreateControls() {
    txtLog = new QPlainTextEdit(English("Log.Init"), this);
    txtLog->setObjectName("txtLog");
    txtLog->setGeometry(kLogGeometry);
    txtLog->setReadOnly(true);
    txtLog->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtLog->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtLog->setUndoRedoEnabled(false);
    txtLog->setFrameShape(QFrame::Box);
    // The log keeps its newest lines: older ones leave from the top.
    txtLog->setMaximumBlockCount(static_cast<int>(kLogLines));
    QFont logFont("Verdana");
    logFont.setPixelSize(11);
    txtLog->setFont(logFont);

    lblCurFile = MakeLabel(this, "lblCurFile", English("Label.CurFile"), kCurFileLabelAt);
    lblCurFileName = MakeLabel(this, "lblCurFileName", "-", kCurFileNameAt);
    // A long name is cut at the page's edge rather than pushing past it.
    lblCurFileName->setFixedWidth(kPageWidth - kCurFileNameAt.x() - kLogGeometry.x());
    lblCurFileProgress =
        MakeLabel(this, "lblCurFileProgress", English("Label.CurFileProgress"), kCurFileProgressLabelAt);
    pbCurrent = new TCGauge("pbCurrent", this);
    pbCurrent->setGeometry(kCurrentGaugeGeometry);
    lblTotalProgress = MakeLabel(this, "lblTotalProgress", English("Label.TotalProgress"), kTotalProgressLabelAt);
    pbTotal = new TCGauge("pbTotal", this);
    pbTotal->setGeometry(kTotalGaugeGeometry);

    shpStop = new FlatButton("shpStop", "lblStop", English("Button.Stop"), this);
    shpStop->setGeometry(kStopGeometry);
    shpStop->CentreLabelAt(kStopGeometry.width() / 2, kStopGeometry.height() / 2);
    shpStop->hide();
    connect(shpStop, &FlatButton::clicked, this, &TframGo::StopAction);

    shpGo = new FlatButton("shpGo", "lblGo", English("Button.EncryptFiles"), this, FlatButton::ReleaseRule::Anywhere);
    shpGo->setGeometry(kGoGeometry);
    shpGo->CentreLabelAt(kGoGeometry.width() / 2, kGoGeometry.height() / 2);
    connect(shpGo, &FlatButton::clicked, this, &TframGo::StartAction);

    // A screen reader names the gauges by their captions. The keyboard goes
    // from the action button to Stop and then to the log.
    lblCurFileProgress->setBuddy(pbCurrent);
    lblTotalProgress->setBuddy(pbTotal);
    setTabOrder(shpGo, shpStop);
    setTabOrder(shpStop, txtLog);

    tmrSynchro = new QTimer(this);
    tmrSynchro->setObjectName("tmrSynchro");
    tmrSynchro->setInterval(kSynchroInterval);
    connect(tmrSynchro, &QTimer::timeout, this, &TframGo::tmrSynchroTimer);
    tmrSynchro->start();
}

void TframGo::AddLanguageTexts() {
    TextCatalogue& catalogue = LanguageTexts();
    const std::string_view section = kGoSection;
    catalogue.AddLabel(section, "Button.Stop", shpStop->label(), [this] {
        shpStop->setText(shpStop->text());  // the label takes the size of its text
        // The caption for encryption, which the Parameters page announces too.
        if (wizard_ != nullptr) SetActionCaption(LanguageTexts().CurrentText(kGoSection, "Button.EncryptFiles"));
    });
    catalogue.AddAccessibleName(section, "Label.Log", txtLog);
    catalogue.AddLabel(section, "Label.CurFile", lblCurFile, [this] { lblCurFile->adjustSize(); });
    catalogue.AddLabel(section, "Label.CurFileProgress", lblCurFileProgress,
                       [this] { lblCurFileProgress->adjustSize(); });
    catalogue.AddLabel(section, "Label.TotalProgress", lblTotalProgress, [this] { lblTotalProgress->adjustSize(); });
    catalogue.Add({section,
                   "Log.Init",
                   txtLog,
                   [this] { return txtLog->toPlainText(); },
                   [this](const QString& text) { txtLog->setPlainText(text); },
                   {}});

    const std::pair<std::string_view, QString*> pageTexts[] = {
        {"Error.ActionNotSelected", &texts_.actionNotSelected},
        {"Error.EncryptionKeyNotEntered", &texts_.encryptionKeyNotEntered},
        {"Error.DecryptionKeyNotEntered", &texts_.decryptionKeyNotEntered},
        {"Error.KeyIsTooShort", &texts_.keyIsTooShort},
        {"Error.NoFileSelected", &texts_.noFileSelected},
        {"Error.DestFolderIsEmpty", &texts_.destFolderIsEmpty},
        {"Error.ItemDoesNotExist", &texts_.itemDoesNotExist},
        {"Label.CheckTheInfo", &texts_.checkTheInfo},
        {"Label.IsAllInfoCorrect", &texts_.isAllInfoCorrect},
        {"Error.TextKeyOutsideCodePage", &texts_.textKeyOutsideCodePage},
    };
    for (const auto& [key, text] : pageTexts) catalogue.AddStoredText(section, key, this, text);
    for (const RunTextKey& runText : RunTextKeys()) {
        std::string* text = &(texts_.run.*runText.text);
        catalogue.Add({section,
                       runText.key,
                       this,
                       [text] { return QString::fromStdString(*text); },
                       [text](const QString& value) { *text = value.toStdString(); },
                       {}});
    }
}

void TframGo::SetActionCaption(const QString& caption) { shpGo->setText(caption); }

void TframGo::ArrangePage() {
    const int width = LookupSize(kButtonWidthKey, kDefaultButtonWidth);
    const int height = LookupSize(kButtonHeightKey, kDefaultButtonHeight);
    shpGo->resize(width, height);
    const int gaugeLeft = lblCurFileProgress->x() + lblCurFileProgress->width() + kGaugeGap;
    pbCurrent->move(gaugeLeft, pbCurrent->y());
    pbTotal->move(gaugeLeft, pbTotal->y());
    lblCurFileName->move(gaugeLeft, lblCurFileName->y());
    shpGo->move(txtLog->x() + txtLog->width() - width, shpGo->y());
    if (shpGo->isBusy()) return;
    shpGo->Arrange(width, height);
    shpStop->move(shpGo->x() - width - kButtonGap, shpStop->y());
    shpStop->Arrange(width, height);
}

void TframGo::shpGoMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, QPoint) { shpGo->Press(button); }

void TframGo::shpGoMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, QPoint position) {
    shpGo->Release(button, position);
}

void TframGo::shpStopMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, QPoint) { shpStop->Press(button); }

void TframGo::shpStopMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, QPoint position) {
    shpStop->Release(button, position);
}

void TframGo::tmrSynchroTimer() { pbCurrent->SetProgress(runState_.filePercent.load(std::memory_order_relaxed)); }

void TframGo::StartAction() {
    // A second run must not start while a worker is still going: the busy
    // mark arrives with the worker's first report, a moment after its start.
    if (shpGo->isBusy() || runActive_ || ended_) return;
    runState_.StopRequested = false;
    if (wizard_ == nullptr || !PassStartChecks({*wizard_, boxes_, BoxOwner::GoPage, texts_})) return;
    RunInputs inputs;
    if (!TakeRunInputs(inputs)) {
        // Nothing was touched, so nothing is left unfinished.
        boxes_.ShowError(texts_.run.keyRefused, std::string(kErrorCaption));
        return;
    }

    shpStop->show();
    host_->RememberAnswers();
    if (!CreateWorker(std::move(inputs))) {
        boxes_.ShowError(kCannotStartWorker, "Error");
        return;
    }
    runActive_ = true;
}

bool TframGo::TakeRunInputs(RunInputs& inputs) {
    const RunChoices& choices = wizard_->Choices();
    inputs.direction = choices.ChosenDirection().value_or(Direction::Encrypt);
    inputs.destination = choices.Destination();
    inputs.texts = texts_.run;
    KeyEntry entry = choices.Key();
    const WipedAtExit<KeyEntry> wipeEntry(entry);  // the key words are all the run needs
    return AssembleKey(entry, inputs.key);
}

bool TframGo::CreateWorker(RunInputs inputs) {
    QtRunHost* host = host_;
    return StartWorker(runState_, *host_, std::move(inputs), [host](const RunResult&) { host->ReportRunEnded(); });
}

void TframGo::WorkerEnded() {
    runActive_ = false;
    // A stop that came after the last row ends nothing: the run finished, and
    // the status line no longer asks the user to wait.
    if (wizard_ != nullptr && statusBeforeStop_ && wizard_->StatusText() == kPleaseWait)
        wizard_->SetStatusText(*statusBeforeStop_);
    statusBeforeStop_.reset();
    emit runEnded();
}

void TframGo::StopAction() {
    const bool encrypting = wizard_ == nullptr || wizard_->Choices().Action() == 0;
    if (!boxes_.AskQuestion(encrypting ? kStopEncryptingQuestion : kStopDecryptingQuestion, kProductName)) return;
    // What the worker reported so far goes first, so it does not bring back
    // the name of the file in hand.
    host_->Flush();
    shpStop->hide();
    lblCurFileName->setText("-");
    runState_.StopRequested = true;
    if (wizard_ != nullptr) {
        statusBeforeStop_ = wizard_->StatusText();
        wizard_->SetStatusText(kPleaseWait);
    }
}

void TframGo::StopForQuit() {
    runState_.StopRequested = true;
    host_->QuietBoxes();
}

void TframGo::EndRuns() {
    if (ended_) return;
    ended_ = true;
    runState_.StopRequested = true;
    host_->QuietBoxes();
    host_->Shutdown();
    if (runState_.WorkerHandle.joinable()) runState_.WorkerHandle.join();
}

}  // namespace tarvoss
