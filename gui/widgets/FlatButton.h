#pragma once
// The program's button: a coloured rectangle with a text label centred on it.
//
// While the left mouse button is held on it, the face turns cream and the label
// sits one pixel further right and down. On release both return, and the button
// acts (clicked) when the release point lies within it, with 3 pixels of
// tolerance beyond its left and top edges; a button made with
// ReleaseRule::Anywhere acts on every release instead. Other mouse buttons do
// nothing, and a busy button ignores the mouse altogether. The Tab key
// reaches it (a click leaves the focus where it is), and Space or Enter press
// it; with the focus on it, a dotted frame shows inside its edge.

#include <QColor>
#include <QPoint>
#include <QString>
#include <QWidget>

class QLabel;

namespace tarvoss {

class FlatButton : public QWidget {
    Q_OBJECT
public:
    enum class ReleaseRule { WithinShape, Anywhere };

    // `shapeName` and `labelName` become the object names of the button and of
    // its label (shpGo, lblGo), by which texts and tests find them.
    FlatButton(const QString& shapeName, const QString& labelName, const QString& text, QWidget* parent = nullptr,
               ReleaseRule rule = ReleaseRule::WithinShape);

    QLabel* label() const { return label_; }
    QString text() const;
    // Sets the label's text; the label takes the size of its text.
    void setText(const QString& text);

    QColor faceColour() const { return face_; }
    void setFaceColour(const QColor& colour);

    bool isBusy() const { return busy_; }
    void setBusy(bool busy) { busy_ = busy; }

    // Makes the button width × height with the resting face and centres the
    // label on it (halves rounded toward zero).
    void Arrange(int width, int height);
    // Places the label so that its centre lies at (x, y) of the button.
    void CentreLabelAt(int x, int y);

    // Press and release of a mouse button at `position` (button coordinates);
    // the mouse events come here, and so does a click delivered by the program.
    void Press(Qt::MouseButton button);
    void Release(Qt::MouseButton button, QPoint position);
    // A press and release of the left button on the button: what Space and
    // Enter do when the button has the keyboard focus, and what a screen
    // reader's press does.
    void Click();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool ReleaseActs(QPoint position) const;

    QLabel* label_;
    QColor face_;
    ReleaseRule rule_;
    bool busy_ = false;
    bool held_ = false;
};

}  // namespace tarvoss
