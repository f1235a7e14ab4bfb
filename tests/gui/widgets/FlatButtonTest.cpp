#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "widgets/Colours.h"
#include "widgets/FlatButton.h"

namespace tarvoss {

class FlatButtonTest : public QObject {
    Q_OBJECT
private slots:
    void arrangeCentresTheLabel();
    void pressShowsThePressedLookUntilRelease();
    void releaseActsWithinTheShapeAndTolerance_data();
    void releaseActsWithinTheShapeAndTolerance();
    void anywhereVariantActsOnEveryRelease();
    void otherButtonsAndBusyMarkAreIgnored();
};

void FlatButtonTest::arrangeCentresTheLabel() {
    FlatButton button("shpAdd", "lblAdd", "Add folder");
    button.setFaceColour(kBusyFace);
    button.Arrange(150, 30);
    QCOMPARE(button.size(), QSize(150, 30));
    QCOMPARE(button.faceColour(), kButtonFace);
    const QLabel* label = button.label();
    QCOMPARE(label->objectName(), QString("lblAdd"));
    QCOMPARE(label->x(), 75 - label->width() / 2);
    QCOMPARE(label->y(), 15 - label->height() / 2);
}

void FlatButtonTest::pressShowsThePressedLookUntilRelease() {
    FlatButton button("shpGo", "lblGo", "Encrypt");
    button.Arrange(100, 24);
    const QPoint rest = button.label()->pos();

    // A press on the label counts as a press on the button.
    QTest::mousePress(button.label(), Qt::LeftButton);
    QCOMPARE(button.faceColour(), kCream);
    QCOMPARE(button.label()->pos(), rest + QPoint(1, 1));

    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(button.faceColour(), kButtonFace);
    QCOMPARE(button.label()->pos(), rest);
}

void FlatButtonTest::releaseActsWithinTheShapeAndTolerance_data() {
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<bool>("acts");
    QTest::newRow("inside") << QPoint(50, 12) << true;
    QTest::newRow("3 px left and above") << QPoint(-3, -3) << true;
    QTest::newRow("4 px left") << QPoint(-4, 5) << false;
    QTest::newRow("4 px above") << QPoint(5, -4) << false;
    QTest::newRow("right and bottom edge") << QPoint(100, 24) << true;
    QTest::newRow("beyond the right edge") << QPoint(101, 5) << false;
    QTest::newRow("beyond the bottom edge") << QPoint(5, 25) << false;
}

void FlatButtonTest::releaseActsWithinTheShapeAndTolerance() {
    QFETCH(QPoint, release);
    QFETCH(bool, acts);
    FlatButton button("shpStop", "lblStop", "Stop");
    button.Arrange(100, 24);
    QSignalSpy clicked(&button, &FlatButton::clicked);

    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, release);
    QCOMPARE(clicked.count(), acts ? 1 : 0);
    QCOMPARE(button.faceColour(), kButtonFace);
}

void FlatButtonTest::anywhereVariantActsOnEveryRelease() {
    FlatButton button("shpGo", "lblGo", "Encrypt", nullptr, FlatButton::ReleaseRule::Anywhere);
    button.Arrange(100, 24);
    QSignalSpy clicked(&button, &FlatButton::clicked);

    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(400, -50));
    // The program delivers a click the same way, at (0, 0).
    button.Press(Qt::LeftButton);
    button.Release(Qt::LeftButton, QPoint(0, 0));
    QCOMPARE(clicked.count(), 2);
}

void FlatButtonTest::otherButtonsAndBusyMarkAreIgnored() {
    FlatButton button("shpGo", "lblGo", "Encrypt", nullptr, FlatButton::ReleaseRule::Anywhere);
    button.Arrange(100, 24);
    const QPoint rest = button.label()->pos();
    QSignalSpy clicked(&button, &FlatButton::clicked);

    QTest::mousePress(&button, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(button.faceColour(), kButtonFace);
    QTest::mouseRelease(&button, Qt::RightButton, {}, QPoint(5, 5));

    button.setBusy(true);
    button.setFaceColour(kBusyFace);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(button.faceColour(), kBusyFace);
    QCOMPARE(button.label()->pos(), rest);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));

    QCOMPARE(clicked.count(), 0);
}

}  // namespace tarvoss

QTEST_MAIN(tarvoss::FlatButtonTest)
#include "FlatButtonTest.moc"
