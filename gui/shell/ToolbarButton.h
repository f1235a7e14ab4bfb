#pragma once
// One page button of the main window's toolbar: a coloured face with an image
// and a caption. Pressing any mouse button on it (face, image or caption)
// selects its page at once; while the button is held, image and caption sit
// one pixel further right and down.

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QLabel;

namespace tarvoss {

class ToolbarButton : public QWidget {
    Q_OBJECT
public:
    // `names` are the object names of the face, the image and the caption
    // (shpFiles, imgTlFiles, lblTlFiles).
    struct Names {
        QString shape;
        QString image;
        QString label;
    };
    ToolbarButton(const Names& names, const QString& caption, const QPixmap& image, QWidget* parent);

    QLabel* label() const { return label_; }
    QLabel* image() const { return image_; }

    QColor faceColour() const { return face_; }
    void setFaceColour(const QColor& colour);

    // Places the face at (left, top) of the window's client area with the
    // toolbar's size, and centres image and caption on the vertical line
    // x = centreX of the client area: the image 5 pixels, the caption 33
    // pixels below the face's top.
    void Arrange(int left, int top, int centreX);

    // The press of the button without the mouse: Space or Enter with the
    // keyboard focus on it, or a screen reader's press.
    void Activate() { emit pressed(); }
    // The button of the page on show.
    bool IsSelected() const;

signals:
    void pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QLabel* image_;
    QLabel* label_;
    QColor face_;
    bool held_ = false;
};

}  // namespace tarvoss
