#include "pages/KeyContainer.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <algorithm>

namespace tarvoss {
namespace {

// Parts of a numerical key are 53 pixels wide with a 10-pixel separator
// between two of them; part 1 alone changes its width with the format.
constexpr int kPartWidth = 53;
constexpr int kSeparatorWidth = 10;
constexpr int kPartPitch = kPartWidth + kSeparatorWidth;
// The room an edit box keeps between its frame and its text on each side
// (plus one pixel for the cursor).
constexpr int kEditTextMargin = 2;
// FitPartFont shrinks the type at most this many steps.
constexpr int kMostShrinkSteps = 12;

int WidestDigit(const QFont& font) {
    const QFontMetrics metrics(font);
    int widest = 0;
    for (char digit = '0'; digit <= '9'; ++digit) {
        widest = std::max(widest, metrics.horizontalAdvance(QChar(digit)));
    }
    return widest;
}

void Shrink(QFont& font) {
    if (font.pixelSize() > 0) {
        font.setPixelSize(font.pixelSize() - 1);
    } else {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
}

}  // namespace

KeyContainer::KeyContainer(QWidget* parent) : QWidget(parent) {
    setObjectName("panKeyContainer");
    resize(kWidth, kHeight);
    for (int i = 0; i < kKeyPartCount; ++i) {
        auto* part = new QLineEdit(this);
        part->setObjectName(QString("txtKeyPart%1").arg(i + 1));
        part->setGeometry(i * kPartPitch, 0, kPartWidth, kHeight);
        parts_[i] = part;
        if (i == 0) continue;
        auto* separator = new QLabel("-", this);
        separator->setObjectName(QString("lblKeySep%1").arg(i));
        separator->setAlignment(Qt::AlignCenter);
        separator->setGeometry(i * kPartPitch - kSeparatorWidth, 0, kSeparatorWidth, kHeight);
        separators_[i - 1] = separator;
    }
    FitPartFont();
}

void KeyContainer::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) FitPartFont();
    QWidget::changeEvent(event);
}

void KeyContainer::FitPartFont() {
    const QLineEdit* probe = parts_[1];
    const int frame = probe->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, probe);
    const int room = kPartWidth - 2 * (frame + kEditTextMargin) - 1;
    const int longestGroup = LongestDigitGroup();
    QFont fitted = font();
    for (int step = 0; step < kMostShrinkSteps; ++step) {
        if (longestGroup * WidestDigit(fitted) <= room) break;
        Shrink(fitted);
    }
    for (QLineEdit* part : parts_) part->setFont(fitted);
}

QLineEdit* KeyContainer::Part(int part) const {
    return part >= 1 && part <= kKeyPartCount ? parts_[part - 1] : nullptr;
}

void KeyContainer::ApplyFormat(const KeyFormat& format) {
    if (format.text) {
        parts_[0]->clear();
    } else {
        Clear();
    }
    parts_[0]->resize(format.firstPartWidth, kHeight);
    visibleParts_ = format.visibleParts;
    for (int i = 0; i < kKeyPartCount; ++i) {
        const bool visible = i < format.visibleParts;
        parts_[i]->setVisible(visible);
        if (visible) parts_[i]->setMaxLength(format.maxLength);
        if (i > 0) separators_[i - 1]->setVisible(i <= format.VisibleSeparators());
    }
}

void KeyContainer::NameParts(const QString& caption) {
    QString name = caption.trimmed();
    while (name.endsWith(':')) name.chop(1);
    for (int i = 0; i < kKeyPartCount; ++i)
        parts_[i]->setAccessibleName(visibleParts_ == 1 ? name : name + ' ' + QString::number(i + 1));
}

void KeyContainer::Clear() {
    for (QLineEdit* part : parts_) part->clear();
}

void KeyContainer::ShowHidden(bool hide) {
    for (QLineEdit* part : parts_) {
        // The style's own mask character would differ from platform to
        // platform; the key boxes always show "*".
        part->setStyleSheet(hide ? "QLineEdit { lineedit-password-character: 42; }" : QString());
        part->setEchoMode(hide ? QLineEdit::Password : QLineEdit::Normal);
    }
}

std::array<std::string, kKeyPartCount> KeyContainer::PartTexts() const {
    std::array<std::string, kKeyPartCount> texts;
    for (int i = 0; i < kKeyPartCount; ++i) texts[i] = parts_[i]->text().toStdString();
    return texts;
}

}  // namespace tarvoss
