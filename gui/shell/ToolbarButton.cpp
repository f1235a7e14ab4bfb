#include "shell/ToolbarButton.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "widgets/Colours.h"

namespace tarvoss {
namespace {

constexpr int kFaceWidth = 95;
constexpr int kFaceHeight = 55;
constexpr int kImageOffset = 5;
constexpr int kLabelOffset = 33;

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
    resize(kFaceWidth, kFaceHeight);
}

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

}  // namespace tarvoss
