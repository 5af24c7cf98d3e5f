// Draws the reward picture shown during pauses: a glossy yellow smiling face in the middle of a
// round grey gradient. Run it to write reward.jpg into the folder given as its argument.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>

namespace {

constexpr QSize pictureSize(150, 112);
constexpr qreal faceDiameter = 30;

void paintBackground(QPainter &painter, QRectF area)
{
    const qreal toCorner = std::hypot(area.width(), area.height()) / 2;
    QRadialGradient gradient(area.center(), toCorner);
    gradient.setColorAt(0.0, QColor(250, 250, 250));
    gradient.setColorAt(0.25, QColor(238, 238, 238));
    gradient.setColorAt(1.0, QColor(75, 75, 75));
    painter.fillRect(area, gradient);
}

// The face fills the square it is given.
void paintFace(QPainter &painter, QRectF square)
{
    const qreal d = square.width();
    const auto at = [&](qreal x, qreal y) { return square.topLeft() + QPointF(x * d, y * d); };

    QRadialGradient body(at(0.38, 0.32), d * 0.62);
    body.setColorAt(0.0, QColor(255, 250, 190));
    body.setColorAt(0.35, QColor(255, 222, 40));
    body.setColorAt(0.85, QColor(236, 170, 0));
    body.setColorAt(1.0, QColor(190, 120, 0));
    painter.setPen(QPen(QColor(150, 95, 0), d / 30));
    painter.setBrush(body);
    painter.drawEllipse(square.adjusted(d / 60, d / 60, -d / 60, -d / 60));

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 30, 10));
    painter.drawEllipse(QRectF(at(0.32, 0.27), QSizeF(d * 0.1, d * 0.17)));
    painter.drawEllipse(QRectF(at(0.58, 0.27), QSizeF(d * 0.1, d * 0.17)));

    QPainterPath smile;
    smile.moveTo(at(0.25, 0.58));
    smile.quadTo(at(0.5, 0.88), at(0.75, 0.58));
    painter.setPen(QPen(QColor(40, 30, 10), d / 14, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(smile);

    // The gloss: a soft white highlight on the upper left.
    QRadialGradient gloss(at(0.33, 0.2), d * 0.22);
    gloss.setColorAt(0.0, QColor(255, 255, 255, 210));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gloss);
    painter.drawEllipse(QRectF(at(0.12, 0.06), QSizeF(d * 0.42, d * 0.28)));
}

QImage rewardPicture()
{
    QImage image(pictureSize, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintBackground(painter, image.rect());
    const QPointF centre = QRectF(image.rect()).center();
    const QPointF corner(faceDiameter / 2, faceDiameter / 2);
    paintFace(painter, QRectF(centre - corner, centre + corner));
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!rewardPicture().save(folder + QStringLiteral("/reward.jpg"), "JPEG", 92)) {
        std::fprintf(stderr, "make_pictures: cannot write %s/reward.jpg\n", argv[1]);
        return 1;
    }
    return 0;
}
