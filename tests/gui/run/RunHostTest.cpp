// The window's run host between a worker thread and a recording window side:
// reports arrive in order and together, reads are answered on the window
// thread, and a shutdown releases a worker that waits for an answer.

#include <QTest>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "run/QtRunHost.h"
#include "support/FakeRunHost.h"

namespace tarvoss {
namespace {

// Answers from a FakeRunHost and records what reaches it, noting the thread.
class RecordingWindow final : public RunWindow {
public:
    testing::FakeRunHost fake;
    std::vector<LogChanges> logChanges;
    int runsEnded = 0;
    bool allOnWindowThread = true;

    std::size_t RowCount() override {
        Here();
        return fake.RowCount();
    }
    std::optional<RunRow> Row(std::size_t index) override {
        Here();
        return fake.Row(index);
    }
    ProcessingMode Mode() override {
        Here();
        return fake.Mode();
    }
    bool DeleteSources() override {
        Here();
        return fake.DeleteSources();
    }
    bool ShowErrors() override {
        Here();
        return fake.ShowErrors();
    }
    std::optional<Direction> ChosenAction() override {
        Here();
        return fake.ChosenAction();
    }
    void ReloadSettings() override {
        Here();
        fake.ReloadSettings();
    }

    void ChangeLog(const LogChanges& changes) override {
        Here();
        logChanges.push_back(changes);
    }
    void SetCurrentFileName(const std::string& name) override {
        Here();
        fake.SetCurrentFileName(name);
    }
    void SetTotalRange(std::size_t rows) override {
        Here();
        fake.SetTotalRange(rows);
    }
    void StepTotal() override {
        Here();
        fake.StepTotal();
    }
    void SetActionButton(bool busy) override {
        Here();
        fake.SetActionButton(busy);
    }
    void SetStopVisible(bool visible) override {
        Here();
        fake.SetStopVisible(visible);
    }
    void SetStatusText(const std::string& text) override {
        Here();
        fake.SetStatusText(text);
    }
    void ShowError(const std::string& text, const std::string& caption) override {
        Here();
        fake.ShowError(text, caption);
    }
    void RunEnded() override {
        Here();
        ++runsEnded;
    }
    // A box is dismissed at once, or held open with `holdBoxes` until the
    // test dismisses it.
    void OpenError(const std::string& text, const std::string& caption, std::function<void()> dismissed) override {
        Here();
        fake.ShowError(text, caption);
        if (holdBoxes) {
            heldBox = std::move(dismissed);
        } else {
            dismissed();
        }
    }
    void CloseOpenBoxes() override { Here(); }
    bool holdBoxes = false;
    std::function<void()> heldBox;

private:
    void Here() {
        if (QThread::currentThread() != qApp->thread()) allOnWindowThread = false;
    }
};

}  // namespace

class RunHostTest : public QObject {
    Q_OBJECT
private slots:
    void thousandsOfReportsArriveInOrderAndTogether();
    void readsAreAnsweredOnTheWindowThread();
    void shutdownReleasesAWaitingWorker();
    void errorBoxHoldsTheWorkerNotTheWindow();
};

void RunHostTest::thousandsOfReportsArriveInOrderAndTogether() {
    RecordingWindow window;
    QtRunHost host(window);
    std::thread worker([&] {
        host.SetActionButton(true);
        host.ClearLog();
        host.SetTotalRange(5000);
        for (int i = 0; i < 5000; ++i) {
            host.SetCurrentFileName(std::to_string(i));
            host.AddLogLine("file " + std::to_string(i) + "... ");
            host.AppendToLog("OK");
            host.StepTotal();
        }
        host.ReportRunEnded();
    });
    worker.join();

    QTRY_COMPARE(window.runsEnded, 1);
    // One burst: one change of the log, holding the last 100 lines.
    QCOMPARE(window.logChanges.size(), std::size_t{1});
    const LogChanges& log = window.logChanges[0];
    QVERIFY(log.clear);
    QCOMPARE(log.lines.size(), kLogLines);
    QCOMPARE(log.lines.front(), std::string("file 4900... OK"));
    QCOMPARE(log.lines.back(), std::string("file 4999... OK"));
    // Everything else in the order it was made.
    const std::vector<std::string> events = window.fake.Events();
    QCOMPARE(events.size(), std::size_t{2 + 2 * 5000});
    QCOMPARE(events[0], std::string("busy"));
    QCOMPARE(events[1], std::string("range: 5000"));
    QCOMPARE(events[2], std::string("file: 0"));
    QCOMPARE(events[3], std::string("step"));
    QCOMPARE(events.back(), std::string("step"));
    QCOMPARE(events[events.size() - 2], std::string("file: 4999"));
    QVERIFY(window.allOnWindowThread);
}

void RunHostTest::readsAreAnsweredOnTheWindowThread() {
    RecordingWindow window;
    window.fake.rows = {testing::FakeRunHost::FileRow("/a/", "b.txt")};
    window.fake.deleteSources = true;
    QtRunHost host(window);
    std::size_t count = 0;
    std::optional<RunRow> row, missing;
    bool deleteSources = false;
    std::thread worker([&] {
        host.AddLogLine("before the box");
        count = host.RowCount();
        row = host.Row(0);
        missing = host.Row(1);
        deleteSources = host.DeleteSources();
        host.ShowError("text", "Error");
    });
    // The worker waits for each answer while the window thread serves it.
    while (window.fake.Events().empty()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();

    QCOMPARE(count, std::size_t{1});
    QVERIFY(row && row->path == "/a/b.txt");
    QVERIFY(!missing);
    QVERIFY(deleteSources);
    QVERIFY(window.allOnWindowThread);
    // The log was brought up to date before the box.
    QCOMPARE(window.logChanges.size(), std::size_t{1});
    QCOMPARE(window.fake.Events(), std::vector<std::string>{"box Error: text"});
}

void RunHostTest::shutdownReleasesAWaitingWorker() {
    RecordingWindow window;
    window.fake.rows = {testing::FakeRunHost::FileRow("/a/", "b.txt")};
    window.fake.mode = ProcessingMode::Copy;
    QtRunHost host(window);
    host.RememberAnswers();
    ProcessingMode mode = ProcessingMode::InPlace;
    std::size_t count = 99;
    // The window thread serves nothing here: the worker is stuck in its
    // first read until the shutdown.
    std::thread worker([&] {
        mode = host.Mode();
        count = host.RowCount();
        host.AddLogLine("after the window went");
        host.ShowError("never shown", "Error");
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    host.Shutdown();
    worker.join();
    QCoreApplication::processEvents();

    QCOMPARE(mode, ProcessingMode::Copy);
    QCOMPARE(count, std::size_t{0});
    QVERIFY(window.logChanges.empty());
    QVERIFY(window.fake.Events().empty());
}

void RunHostTest::errorBoxHoldsTheWorkerNotTheWindow() {
    RecordingWindow window;
    window.holdBoxes = true;
    window.fake.rows = {testing::FakeRunHost::FileRow("/a/", "b.txt")};
    QtRunHost host(window);
    std::atomic<bool> past{false};
    std::atomic<std::size_t> countWhileBoxUp{0};
    std::thread worker([&] {
        host.ShowError("text", "Error");
        past = true;
    });
    QTRY_VERIFY(window.heldBox != nullptr);
    // The window thread goes on serving the run and everything else.
    std::thread reader([&] { countWhileBoxUp = host.RowCount(); });
    QTRY_COMPARE(countWhileBoxUp.load(), std::size_t{1});
    reader.join();
    QTest::qWait(50);
    QVERIFY(!past);

    window.heldBox();
    worker.join();
    QVERIFY(past);
    QCOMPARE(window.fake.Events(), std::vector<std::string>{"box Error: text"});

    // Once the program is quitting, boxes still coming are not shown.
    host.QuietBoxes();
    std::thread late([&] { host.ShowError("late", "Error"); });
    late.join();
    QCOMPARE(window.fake.Events().size(), std::size_t{1});
}

}  // namespace tarvoss

QTEST_MAIN(tarvoss::RunHostTest)
#include "RunHostTest.moc"
