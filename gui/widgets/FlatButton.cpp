#include "widgets/FlatButton.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "widgets/AccessibleWidgets.h"
#include "widgets/Colours.h"
#include "widgets/DrawnButtonKeys.h"

namespace tarvoss {
namespace {

// How far beyond its left and top edges a release still counts as on the button.
constexpr int kReleaseTolerance = 3;

}  // namespace

FlatButton::FlatButton(const QString& shapeName, const QString& labelName, const QString& text, QWidget* parent,
                       ReleaseRule rule)
    : QWidget(parent), label_(new QLabel(this)), face_(kButtonFace), rule_(rule) {
    setObjectName(shapeName);
    label_->setObjectName(labelName);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    InstallAccessibleWidgets();
    resize(100, 24);
    setText(text);
    CentreLabelAt(width() / 2, height() / 2);
}

QString FlatButton::text() const { return label_->text(); }

void FlatButton::setText(const QString& text) {
    label_->setText(text);
    label_->adjustSize();
}

void FlatButton::setFaceColour(const QColor& colour) {
    face_ = colour;
    update();
}

void FlatButton::Arrange(int width, int height) {
    resize(width, height);
    setFaceColour(kButtonFace);
    CentreLabelAt(width / 2, height / 2);
}

void FlatButton::CentreLabelAt(int x, int y) { label_->move(x - label_->width() / 2, y - label_->height() / 2); }

void FlatButton::Press(Qt::MouseButton button) {
    if (busy_ || button != Qt::LeftButton || held_) return;
    held_ = true;
    label_->move(label_->pos() + QPoint(1, 1));
    setFaceColour(kCream);
}

void FlatButton::Release(Qt::MouseButton button, QPoint position) {
    if (busy_ || button != Qt::LeftButton || !held_) return;
    held_ = false;
    label_->move(label_->pos() - QPoint(1, 1));
    setFaceColour(kButtonFace);
    if (rule_ == ReleaseRule::Anywhere || ReleaseActs(position)) emit clicked();
}

void FlatButton::Click() {
    Press(Qt::LeftButton);
    Release(Qt::LeftButton, QPoint(0, 0));
}

bool FlatButton::ReleaseActs(QPoint position) const {
    return position.x() >= -kReleaseTolerance && position.x() <= width() && position.y() >= -kReleaseTolerance &&
           position.y() <= height();
}

void FlatButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), face_);
    painter.setPen(face_.darker(150));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    DrawFocusFrame(painter, *this);
}

void FlatButton::mousePressEvent(QMouseEvent* event) { Press(event->button()); }

void FlatButton::mouseReleaseEvent(QMouseEvent* event) { Release(event->button(), event->position().toPoint()); }

void FlatButton::keyPressEvent(QKeyEvent* event) {
    if (IsButtonPressKey(event)) {
        Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

// The dotted focus frame comes and goes with the focus.
void FlatButton::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void FlatButton::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

}  // namespace tarvoss
