#include "widgets/Gauge.h"

#include <QAccessible>
#include <QPainter>
#include <algorithm>

#include "widgets/AccessibleWidgets.h"

namespace tarvoss {
namespace {

const QColor kGaugeBar{0, 0, 128};
const QColor kGaugeFrame{128, 128, 128};

}  // namespace

TCGauge::TCGauge(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    InstallAccessibleWidgets();
}

void TCGauge::SetMinValue(std::int64_t value) {
    min_ = value;
    if (max_ < min_) max_ = min_;
    Clamp();
}

void TCGauge::SetMaxValue(std::int64_t value) {
    max_ = value;
    if (min_ > max_) min_ = max_;
    Clamp();
}

void TCGauge::SetProgress(std::int64_t value) {
    progress_ = value;
    Clamp();
}

void TCGauge::AddProgress(std::int64_t steps) { SetProgress(progress_ + steps); }

void TCGauge::Clamp() {
    progress_ = std::clamp(progress_, min_, max_);
    update();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent changed(this, QVariant::fromValue<qlonglong>(progress_));
        QAccessible::updateAccessibility(&changed);
    }
}

int TCGauge::PercentDone() const {
    if (max_ == min_) return 0;
    // Both differences fit: progress lies within the range.
    const long double done = static_cast<long double>(progress_ - min_) * 100 / (max_ - min_);
    return static_cast<int>(done);
}

void TCGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    painter.fillRect(rect(), Qt::white);
    const int percent = PercentDone();
    const QRect bar(inner.left(), inner.top(), inner.width() * percent / 100, inner.height());
    painter.fillRect(bar, kGaugeBar);
    painter.setPen(kGaugeFrame);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    // The text reads black on white and white on the bar.
    const QString text = QString::number(percent) + "%";
    painter.setPen(Qt::black);
    painter.drawText(inner, Qt::AlignCenter, text);
    painter.setClipRect(bar);
    painter.setPen(Qt::white);
    painter.drawText(inner, Qt::AlignCenter, text);
}

}  // namespace tarvoss
