// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws the program's pictures into the folder given as the argument: the reward picture shown
// during pauses (reward.jpg), a glossy yellow smiling face in the middle of a round grey gradient,
// and the program's icon made from the same face, as PNG files at the usual sizes, the web app's
// 192 and 512 among them, and as SVG.

#include <QFile>
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
const QString iconName = QStringLiteral("nl.lezomat.Lezomat");

// The face, in fractions of the square it fills.
struct Oval
{
    qreal x, y, width, height;
};
struct Stop
{
    qreal at;
    QColor colour;
};
constexpr Oval leftEye {0.32, 0.27, 0.10, 0.17};
constexpr Oval rightEye {0.58, 0.27, 0.10, 0.17};
constexpr Oval gloss {0.12, 0.06, 0.42, 0.28};
constexpr QPointF bodyLight(0.38, 0.32);
constexpr qreal bodyRadius = 0.62;
const Stop bodyStops[] = {{0.0, QColor(255, 250, 190)},
                          {0.35, QColor(255, 222, 40)},
                          {0.85, QColor(236, 170, 0)},
                          {1.0, QColor(190, 120, 0)}};
const QColor outline(150, 95, 0);
constexpr qreal outlineWidth = 1.0 / 30;
const QColor features(40, 30, 10);
constexpr QPointF smileFrom(0.25, 0.58), smileBend(0.5, 0.88), smileTo(0.75, 0.58);
constexpr qreal smileWidth = 1.0 / 14;
constexpr QPointF glossLight(0.33, 0.2);
constexpr qreal glossRadius = 0.22;

void paintBackground(QPainter &painter, QRectF area)
{
    const qreal toCorner = std::hypot(area.width(), area.height()) / 2;
    QRadialGradient gradient(area.center(), toCorner);
    gradient.setColorAt(0.0, QColor(250, 250, 250));
    gradient.setColorAt(0.25, QColor(238, 238, 238));
    gradient.setColorAt(1.0, QColor(75, 75, 75));
    painter.fillRect(area, gradient);
}

void paintFace(QPainter &painter, QRectF square)
{
    const qreal d = square.width();
    const auto at = [&](QPointF p) { return square.topLeft() + p * d; };
    const auto oval = [&](Oval o) { return QRectF(at({o.x, o.y}), QSizeF(o.width, o.height) * d); };

    QRadialGradient body(at(bodyLight), d * bodyRadius);
    for (const Stop &stop : bodyStops)
        body.setColorAt(stop.at, stop.colour);
    painter.setPen(QPen(outline, d * outlineWidth));
    painter.setBrush(body);
    const qreal inset = d * outlineWidth / 2;
    painter.drawEllipse(square.adjusted(inset, inset, -inset, -inset));

    painter.setPen(Qt::NoPen);
    painter.setBrush(features);
    painter.drawEllipse(oval(leftEye));
    painter.drawEllipse(oval(rightEye));

    QPainterPath smile;
    smile.moveTo(at(smileFrom));
    smile.quadTo(at(smileBend), at(smileTo));
    painter.setPen(QPen(features, d * smileWidth, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(smile);

    QRadialGradient shine(at(glossLight), d * glossRadius);
    shine.setColorAt(0.0, QColor(255, 255, 255, 210));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawEllipse(oval(gloss));
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

QImage icon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintFace(painter, QRectF(0, 0, size, size));
    return image;
}

// The same face as scalable vector graphics, 100 units across.
QByteArray svgIcon()
{
    const auto n = [](qreal v) { return QByteArray::number(v * 100, 'g', 4); };
    const auto colour = [](QColor c, int alpha = 255) {
        return "rgb(" + QByteArray::number(c.red()) + "," + QByteArray::number(c.green()) + ","
            + QByteArray::number(c.blue()) + ")\" stop-opacity=\""
            + QByteArray::number(alpha / 255.0, 'g', 3);
    };
    const auto ellipse = [&](Oval o, const QByteArray &fill) {
        return "<ellipse cx=\"" + n(o.x + o.width / 2) + "\" cy=\"" + n(o.y + o.height / 2)
            + "\" rx=\"" + n(o.width / 2) + "\" ry=\"" + n(o.height / 2) + "\" fill=\"" + fill
            + "\"/>\n";
    };
    QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100\" height=\"100\" "
                     "viewBox=\"0 0 100 100\">\n<defs>\n<radialGradient id=\"body\" "
                     "gradientUnits=\"userSpaceOnUse\" cx=\""
        + n(bodyLight.x()) + "\" cy=\"" + n(bodyLight.y()) + "\" r=\"" + n(bodyRadius) + "\">\n";
    for (const Stop &stop : bodyStops)
        svg += "<stop offset=\"" + QByteArray::number(stop.at) + "\" stop-color=\""
            + colour(stop.colour) + "\"/>\n";
    svg += "</radialGradient>\n<radialGradient id=\"gloss\" gradientUnits=\"userSpaceOnUse\" cx=\""
        + n(glossLight.x()) + "\" cy=\"" + n(glossLight.y()) + "\" r=\"" + n(glossRadius)
        + "\">\n<stop offset=\"0\" stop-color=\"" + colour(Qt::white, 210)
        + "\"/>\n<stop offset=\"1\" stop-color=\"" + colour(Qt::white, 0)
        + "\"/>\n</radialGradient>\n</defs>\n";
    svg += "<circle cx=\"50\" cy=\"50\" r=\"" + n(0.5 - outlineWidth / 2)
        + "\" fill=\"url(#body)\" stroke=\"" + outline.name().toLatin1() + "\" stroke-width=\""
        + n(outlineWidth) + "\"/>\n";
    svg += ellipse(leftEye, features.name().toLatin1());
    svg += ellipse(rightEye, features.name().toLatin1());
    svg += "<path d=\"M " + n(smileFrom.x()) + " " + n(smileFrom.y()) + " Q " + n(smileBend.x())
        + " " + n(smileBend.y()) + " " + n(smileTo.x()) + " " + n(smileTo.y())
        + "\" fill=\"none\" stroke=\"" + features.name().toLatin1() + "\" stroke-width=\""
        + n(smileWidth) + "\" stroke-linecap=\"round\"/>\n";
    svg += ellipse(gloss, "url(#gloss)");
    return svg + "</svg>\n";
}

bool write(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
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
    bool written = rewardPicture().save(folder + QStringLiteral("/reward.jpg"), "JPEG", 92);
    for (int size : {16, 24, 32, 48, 64, 128, 192, 256, 512})
        written = written
            && icon(size).save(
                QStringLiteral("%1/icons/%2-%3.png").arg(folder, iconName).arg(size));
    written = written && write(QStringLiteral("%1/icons/%2.svg").arg(folder, iconName), svgIcon());
    if (!written) {
        std::fprintf(stderr, "make_pictures: cannot write the pictures into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
