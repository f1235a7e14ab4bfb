#include "widgets/MenuImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace tarvoss {
namespace {

// Every drawing is made on a 16 × 16 grid and scaled to the size asked for.
const QColor kOutline{70, 70, 70};
const QColor kPaper{255, 255, 255};
const QColor kFolder{238, 196, 76};
const QColor kGold{226, 178, 40};
const QColor kGreen{40, 150, 60};
const QColor kRed{200, 40, 40};
const QColor kBlue{40, 100, 190};

void Document(QPainter& p, QPointF at) {
    QPolygonF page;
    page << at + QPointF(0, 0) << at + QPointF(7, 0) << at + QPointF(10, 3) << at + QPointF(10, 13)
         << at + QPointF(0, 13);
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(kPaper);
    p.drawPolygon(page);
    p.drawLine(at + QPointF(7, 0), at + QPointF(7, 3));
    p.drawLine(at + QPointF(7, 3), at + QPointF(10, 3));
    p.setPen(QPen(QColor(150, 150, 150), 0.8));
    for (double y = 5; y <= 10; y += 2.5) p.drawLine(at + QPointF(2, y), at + QPointF(8, y));
}

void Folder(QPainter& p) {
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(kFolder.darker(115));
    p.drawRect(QRectF(1, 3, 5, 2));
    p.setBrush(kFolder);
    p.drawRect(QRectF(1, 4.5, 13, 9));
}

void Plus(QPainter& p, QColor colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRect(QRectF(11, 8, 2.4, 8));
    p.drawRect(QRectF(8.2, 10.8, 8, 2.4));
}

void Cross(QPainter& p) {
    p.setPen(QPen(kRed, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 9), QPointF(15, 15));
    p.drawLine(QPointF(15, 9), QPointF(9, 15));
}

void Padlock(QPainter& p, bool open) {
    p.setPen(QPen(kOutline, 1.8));
    p.setBrush(Qt::NoBrush);
    const double lift = open ? 2.5 : 0;
    QPainterPath shackle;
    shackle.moveTo(4.5, 8 - lift);
    shackle.arcTo(QRectF(4.5, 1.5 - lift, 7, 7), 180, -180);
    shackle.lineTo(11.5, open ? 4 : 8);
    p.drawPath(shackle);
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(kGold);
    p.drawRoundedRect(QRectF(2.5, 7.5, 11, 8), 1.2, 1.2);
    p.setBrush(kOutline);
    p.drawEllipse(QRectF(7, 10, 2, 2));
    p.drawRect(QRectF(7.6, 11.5, 0.8, 2));
}

void Key(QPainter& p) {
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(kGold);
    p.drawEllipse(QRectF(1, 1.5, 7, 7));
    QPolygonF blade;
    blade << QPointF(6.5, 6) << QPointF(8, 4.5) << QPointF(15, 11.5) << QPointF(15, 14) << QPointF(13, 14)
          << QPointF(13, 12.5) << QPointF(11.5, 12.5) << QPointF(11.5, 11) << QPointF(10, 11) << QPointF(6.5, 7.5);
    p.drawPolygon(blade);
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(2.8, 3.3, 2.4, 2.4));
}

void Star(QPainter& p, QPointF centre, double radius) {
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 == 0 ? radius : radius * 0.45;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        star << centre + QPointF(r * std::cos(angle), r * std::sin(angle));
    }
    p.setPen(QPen(QColor(170, 120, 0), 0.6));
    p.setBrush(QColor(255, 220, 60));
    p.drawPolygon(star);
}

void Disc(QPainter& p, QColor colour) {
    p.setPen(QPen(colour.darker(130), 0.8));
    p.setBrush(colour);
    p.drawEllipse(QRectF(1, 1, 14, 14));
}

void Play(QPainter& p) {
    Disc(p, kGreen);
    QPolygonF triangle;
    triangle << QPointF(6, 4.5) << QPointF(12, 8) << QPointF(6, 11.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawPolygon(triangle);
}

void Gear(QPainter& p) {
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(QColor(160, 165, 175));
    QPolygonF gear;
    for (int i = 0; i < 16; ++i) {
        const double angle = i * M_PI / 8;
        const double r = (i / 2) % 2 == 0 ? 7.3 : 5.6;
        gear << QPointF(8 + r * std::cos(angle), 8 + r * std::sin(angle));
    }
    p.drawPolygon(gear);
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(5.5, 5.5, 5, 5));
}

void Book(QPainter& p) {
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 2.5, 10, 12));
    p.setBrush(kBlue);
    p.drawRect(QRectF(2, 1, 10, 13));
    p.setPen(QPen(kPaper, 1.2));
    p.drawLine(QPointF(4.5, 4.5), QPointF(9.5, 4.5));
    p.drawLine(QPointF(4.5, 7), QPointF(9.5, 7));
}

void Globe(QPainter& p) {
    Disc(p, QColor(70, 140, 220));
    p.setPen(QPen(kPaper, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(5, 1, 6, 14));
    p.drawLine(QPointF(8, 1), QPointF(8, 15));
    p.drawLine(QPointF(1, 8), QPointF(15, 8));
    p.drawLine(QPointF(2.5, 4.5), QPointF(13.5, 4.5));
    p.drawLine(QPointF(2.5, 11.5), QPointF(13.5, 11.5));
}

void Information(QPainter& p) {
    Disc(p, kBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(7, 3.2, 2, 2));
    p.drawRect(QRectF(7, 6.5, 2, 6.5));
}

void Draw(QPainter& p, MenuImage image) {
    switch (image) {
    case MenuImage::AddFiles:
        Document(p, {1, 1});
        Plus(p, kGreen);
        break;
    case MenuImage::AddFolder:
        Folder(p);
        Plus(p, kGreen);
        break;
    case MenuImage::Remove:
        Document(p, {1, 1});
        Cross(p);
        break;
    case MenuImage::Encrypt: Padlock(p, false); break;
    case MenuImage::Decrypt: Padlock(p, true); break;
    case MenuImage::Parameters: Key(p); break;
    case MenuImage::Files:
        Document(p, {1, 0.5});
        Document(p, {5, 2.5});
        break;
    case MenuImage::Go: Play(p); break;
    case MenuImage::Settings: Gear(p); break;
    case MenuImage::KeyGenerator:
        Key(p);
        Star(p, {12, 4}, 3.8);
        break;
    case MenuImage::Contents: Book(p); break;
    case MenuImage::OnTheWeb: Globe(p); break;
    case MenuImage::About: Information(p); break;
    }
}

}  // namespace

QPixmap DrawMenuImage(MenuImage image, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    Draw(painter, image);
    return pixmap;
}

QIcon MainMenuImage(MenuImage image) { return QIcon(DrawMenuImage(image, 16)); }

}  // namespace tarvoss
