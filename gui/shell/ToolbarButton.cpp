#include "shell/ToolbarButton.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "widgets/AccessibleWidgets.h"
#include "widgets/Colours.h"
#include "widgets/DrawnButtonKeys.h"

namespace tarvoss {
namespace {

constexpr int kFaceWidth = 95;
constexpr int kFaceHeight = 55;
constexpr int kImageOffset = 5;
constexpr int kLabelOffset = 33;

// A screen reader meets a toolbar button as a page tab named by its caption,
// selected while its page is on show.
class AccessibleToolbarButton final : public AccessibleDrawnButton {
public:
    explicit AccessibleToolbarButton(ToolbarButton* button)
        : AccessibleDrawnButton(button, button->label(), QAccessible::PageTab) {}

protected:
    void Press() override { static_cast<ToolbarButton*>(widget())->Activate(); }
    bool Selected() const override { return static_cast<ToolbarButton*>(widget())->IsSelected(); }
};

QAccessibleInterface* MakeInterface(const QString&, QObject* object) {
    if (auto* button = qobject_cast<ToolbarButton*>(object)) return new AccessibleToolbarButton(button);
    return nullptr;
}

}  // namespace

ToolbarButton::ToolbarButton(const Names& names, const QString& caption, const QPixmap& image, QWidget* parent)
    : QWidget(parent), image_(new QLabel(this)), label_(new QLabel(caption, this)), face_(kToolbarFace) {
    setObjectName(names.shape);
    image_->setObjectName(names.image);
    label_->setObjectName(names.label);
    image_->setPixmap(image);
    image_->setFixedSize(24, 24);
    label_->setFont(QFont("Tahoma", 8));
    label_->adjustSize();
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    static const bool accessible = [] {
        QAccessible::installFactory(MakeInterface);
        return true;
    }();
    (void)accessible;
    resize(kFaceWidth, kFaceHeight);
}

bool ToolbarButton::IsSelected() const { return face_ == kToolbarSelectedFace; }

void ToolbarButton::setFaceColour(const QColor& colour) {
    face_ = colour;
    update();
}

void ToolbarButton::Arrange(int left, int top, int centreX) {
    setGeometry(left, top, kFaceWidth, kFaceHeight);
    setFaceColour(kToolbarFace);
    // Image and caption are children of the face: their places are given
    // relative to the face's corner.
    label_->adjustSize();
    image_->move(centreX - image_->width() / 2 - left, kImageOffset);
    label_->move(centreX - label_->width() / 2 - left, kLabelOffset);
}

void ToolbarButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), face_);
    painter.setPen(face_.darker(140));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    DrawFocusFrame(painter, *this);
}

void ToolbarButton::mousePressEvent(QMouseEvent*) {
    emit pressed();
    if (held_) return;
    held_ = true;
    image_->move(image_->pos() + QPoint(1, 1));
    label_->move(label_->pos() + QPoint(1, 1));
}

void ToolbarButton::mouseReleaseEvent(QMouseEvent*) {
    if (!held_) return;
    held_ = false;
    image_->move(image_->pos() - QPoint(1, 1));
    label_->move(label_->pos() - QPoint(1, 1));
}

void ToolbarButton::keyPressEvent(QKeyEvent* event) {
    if (IsButtonPressKey(event)) {
        Activate();
        return;
    }
    QWidget::keyPressEvent(event);
}

// The dotted focus frame comes and goes with the focus.
void ToolbarButton::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void ToolbarButton::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

}  // namespace tarvoss
