#pragma once
// A horizontal progress gauge: a bar on a white background that shows the
// share done as a whole percentage followed by "%". The progress is kept
// within the range; a range of width 0 counts as 0 % done.

#include <QWidget>
#include <cstdint>

namespace tarvoss {

class TCGauge : public QWidget {
    Q_OBJECT
public:
    explicit TCGauge(const QString& name, QWidget* parent = nullptr);

    std::int64_t MinValue() const { return min_; }
    std::int64_t MaxValue() const { return max_; }
    std::int64_t Progress() const { return progress_; }
    // Each setter keeps the progress within the (new) range.
    void SetMinValue(std::int64_t value);
    void SetMaxValue(std::int64_t value);
    void SetProgress(std::int64_t value);
    // Adds `steps` to the progress (clamped like SetProgress).
    void AddProgress(std::int64_t steps);

    // The share done, 0 to 100, rounded down.
    int PercentDone() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Clamp();

    std::int64_t min_ = 0;
    std::int64_t max_ = 100;
    std::int64_t progress_ = 0;
};

}  // namespace tarvoss
