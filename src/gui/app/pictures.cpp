#include "gui/app/pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <functional>

namespace pictures {
namespace {

constexpr int kIconW = 32;
constexpr int kIconH = 26;

// Draws on a transparent pixmap at twice the size, so the icon stays crisp on dense screens.
QPixmap drawn(int w, int h, const std::function<void(QPainter&)>& draw) {
    QPixmap pm(w * 2, h * 2);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(2, 2);
        draw(p);
    }
    pm.setDevicePixelRatio(2);
    return pm;
}

QFont boldFont(const char* family, int pixels) {
    QFont f(QString::fromLatin1(family));
    f.setPixelSize(pixels);
    f.setBold(true);
    return f;
}

// A sheet of paper with a folded corner.
void page(QPainter& p, const QRectF& r) {
    QPainterPath path;
    const qreal fold = 6;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawPath(path);
    p.setBrush(QColor(215, 215, 215));
    QPolygonF corner;
    corner << QPointF(r.right() - fold, r.top()) << QPointF(r.right() - fold, r.top() + fold)
           << QPointF(r.right(), r.top() + fold);
    p.drawPolygon(corner);
}

// A well-log curve wandering down a strip.
void logCurve(QPainter& p, const QRectF& r, const QColor& colour, double phase, qreal width = 1.4) {
    QPainterPath path;
    const int steps = 24;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double x = r.center().x() +
                         r.width() * 0.42 *
                             (0.6 * std::sin(t * 11 + phase) + 0.4 * std::sin(t * 23 + phase * 2));
        const QPointF pt(x, r.top() + t * r.height());
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    p.setPen(QPen(colour, width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void tableGrid(QPainter& p, const QRectF& r) {
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.fillRect(QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 1, 4), QColor(0, 0, 160));
    p.setPen(QPen(QColor(140, 140, 140), 0.8));
    for (qreal y = r.top() + 4.5 + 4; y < r.bottom(); y += 4)
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    for (int i = 1; i < 3; ++i) {
        const qreal x = r.left() + r.width() * i / 3;
        p.drawLine(QPointF(x, r.top() + 4.5), QPointF(x, r.bottom()));
    }
}

void printer(QPainter& p) {
    // Paper coming out of the top, the body, the tray.
    page(p, QRectF(9, 1, 14, 13));
    QLinearGradient g(0, 12, 0, 22);
    g.setColorAt(0, QColor(200, 200, 210));
    g.setColorAt(1, QColor(120, 120, 135));
    p.setPen(QPen(QColor(60, 60, 70), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(3, 12, 26, 9), 2, 2);
    p.setBrush(QColor(240, 240, 240));
    p.drawRect(QRectF(7, 20, 18, 4));
    p.setBrush(QColor(0, 200, 0));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(25, 15), 1.2, 1.2);
}

void emptyTable(QPainter& p) {
    tableGrid(p, QRectF(3, 3, 22, 18));
    p.setPen(QPen(QColor(220, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(17, 12), QPointF(28, 23));
    p.drawLine(QPointF(28, 12), QPointF(17, 23));
}

void fileWithText(QPainter& p, const char* text, const QColor& colour, bool curve) {
    page(p, QRectF(6, 1, 20, 24));
    if (curve) logCurve(p, QRectF(8, 4, 12, 20), QColor(0, 150, 0), 0.5, 1.0);
    p.setFont(boldFont("Arial", 8));
    p.setPen(colour);
    p.fillRect(QRectF(3, 13, 22, 9), QColor(255, 255, 255, 210));
    p.drawText(QRectF(2, 12, 24, 11), Qt::AlignCenter, QString::fromLatin1(text));
}

void save(QPainter& p) {
    p.setPen(QPen(QColor(20, 40, 90), 1));
    p.setBrush(QColor(40, 80, 170));
    QPainterPath body;
    body.moveTo(5, 2);
    body.lineTo(24, 2);
    body.lineTo(27, 5);
    body.lineTo(27, 24);
    body.lineTo(5, 24);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(QColor(230, 230, 230));
    p.drawRect(QRectF(9, 2, 13, 8));
    p.setBrush(QColor(40, 80, 170));
    p.drawRect(QRectF(17, 3.5, 3, 5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 14, 16, 10));
    p.setPen(QPen(QColor(150, 150, 150), 0.8));
    for (qreal y = 17; y < 24; y += 2.5) p.drawLine(QPointF(10, y), QPointF(22, y));
}

void find(QPainter& p) {
    // A depth scale with a lens over it.
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.drawLine(QPointF(6, 2), QPointF(6, 24));
    for (int i = 0; i <= 7; ++i) {
        const qreal y = 2 + i * 3;
        p.drawLine(QPointF(6, y), QPointF(i % 2 ? 9 : 11, y));
    }
    QRadialGradient glass(QPointF(16, 10), 7);
    glass.setColorAt(0, QColor(255, 255, 255, 230));
    glass.setColorAt(1, QColor(160, 210, 255, 200));
    p.setBrush(glass);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.drawEllipse(QPointF(17, 10), 6.5, 6.5);
    p.setPen(QPen(QColor(120, 70, 20), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(22, 15), QPointF(28, 22));
}

void elasticParameters(QPainter& p) {
    // A coil spring beside the Lamé letters.
    p.setPen(QPen(QColor(128, 0, 255), 1.6));
    QPainterPath spring;
    spring.moveTo(6, 2);
    for (int i = 0; i < 7; ++i) spring.lineTo(i % 2 ? 2 : 10, 4 + i * 3);
    spring.lineTo(6, 24);
    p.drawPath(spring);
    p.setFont(boldFont("Times New Roman", 15));
    p.setPen(QColor(200, 0, 0));
    p.drawText(QRectF(11, 0, 21, 14), Qt::AlignCenter, QString::fromUtf8("\u03BB"));
    p.setPen(QColor(0, 100, 200));
    p.drawText(QRectF(11, 12, 21, 14), Qt::AlignCenter, QString::fromUtf8("\u03BC"));
}

void scatter(QPainter& p, bool withLine) {
    p.setPen(QPen(QColor(40, 40, 40), 1.2));
    p.drawLine(QPointF(4, 2), QPointF(4, 23));
    p.drawLine(QPointF(4, 23), QPointF(29, 23));
    const QPointF dots[] = {{8, 19},  {10, 17}, {12, 18}, {13, 14}, {15, 15}, {17, 12},
                            {19, 12}, {20, 9},  {22, 10}, {24, 7},  {26, 5},  {11, 15}};
    const QColor colours[] = {QColor(255, 0, 0), QColor(0, 128, 255), QColor(0, 160, 0)};
    int i = 0;
    p.setPen(Qt::NoPen);
    for (const QPointF& d : dots) {
        p.setBrush(colours[i++ % 3]);
        p.drawEllipse(d, 1.6, 1.6);
    }
    if (withLine) {
        p.setPen(QPen(QColor(0, 0, 128), 1.4));
        p.drawLine(QPointF(6, 21), QPointF(28, 4));
    }
}

void correlation(QPainter& p) {
    scatter(p, true);
    p.setFont(boldFont("Times New Roman", 13));
    p.setPen(QColor(128, 0, 0));
    p.drawText(QRectF(5, 0, 12, 13), Qt::AlignCenter, QStringLiteral("r"));
}

void tracks(QPainter& p) {
    const QColor colours[] = {QColor(92, 185, 0), QColor(255, 0, 0), QColor(0, 128, 255)};
    for (int i = 0; i < 3; ++i) {
        const QRectF strip(2 + i * 10, 1, 9, 24);
        p.setPen(QPen(QColor(150, 150, 150), 0.8));
        p.setBrush(QColor(255, 255, 240));
        p.drawRect(strip);
        logCurve(p, strip.adjusted(1, 1, -1, -1), colours[i], i * 1.7);
    }
}

void timeLapse(QPainter& p) {
    logCurve(p, QRectF(2, 1, 14, 24), QColor(0, 0, 200), 0.3);
    logCurve(p, QRectF(4, 1, 14, 24), QColor(220, 0, 0), 0.9);
    p.setPen(QPen(QColor(40, 40, 40), 1.2));
    p.setBrush(QColor(255, 255, 220));
    p.drawEllipse(QPointF(23, 17), 7, 7);
    p.drawLine(QPointF(23, 17), QPointF(23, 12));
    p.drawLine(QPointF(23, 17), QPointF(27, 18));
}

void exitDoor(QPainter& p) {
    p.setPen(QPen(QColor(80, 50, 20), 1));
    p.setBrush(QColor(150, 100, 50));
    QPolygonF door;
    door << QPointF(4, 3) << QPointF(14, 1) << QPointF(14, 25) << QPointF(4, 23);
    p.drawPolygon(door);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 0));
    p.drawEllipse(QPointF(11.5, 13), 1.2, 1.2);
    p.setPen(QPen(QColor(0, 150, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(17, 13), QPointF(29, 13));
    p.drawLine(QPointF(24, 8), QPointF(29, 13));
    p.drawLine(QPointF(24, 18), QPointF(29, 13));
}

// Coloured beds of a lithology column, with a little texture in each.
void strata(QPainter& p, const QRectF& r, int beds) {
    const QColor colours[] = {QColor(240, 220, 130), QColor(150, 150, 150), QColor(120, 180, 220),
                              QColor(200, 150, 100), QColor(110, 110, 80),  QColor(230, 200, 170)};
    const qreal h = r.height() / beds;
    for (int i = 0; i < beds; ++i) {
        const QRectF bed(r.left(), r.top() + i * h, r.width(), h);
        p.fillRect(bed, colours[i % 6]);
        p.setPen(QPen(colours[i % 6].darker(150), 0.6));
        if (i % 3 == 0)
            for (qreal x = bed.left() + 2; x < bed.right(); x += 4)
                p.drawPoint(QPointF(x, bed.center().y()));
        else if (i % 3 == 1)
            for (qreal x = bed.left(); x < bed.right(); x += 5)
                p.drawLine(QPointF(x, bed.top() + 1), QPointF(x + 2, bed.bottom() - 1));
        else
            p.drawLine(QPointF(bed.left(), bed.center().y()),
                       QPointF(bed.right(), bed.center().y()));
    }
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

void derrick(QPainter& p, const QPointF& base, qreal height, const QColor& colour) {
    const qreal half = height * 0.28;
    p.setPen(QPen(colour, std::max<qreal>(1, height / 40)));
    p.setBrush(Qt::NoBrush);
    const QPointF top(base.x(), base.y() - height);
    p.drawLine(QPointF(base.x() - half, base.y()), top);
    p.drawLine(QPointF(base.x() + half, base.y()), top);
    const int rungs = 5;
    for (int i = 1; i <= rungs; ++i) {
        const qreal t = static_cast<qreal>(i) / (rungs + 1);
        const qreal y = base.y() - height * t;
        const qreal w = half * (1 - t);
        p.drawLine(QPointF(base.x() - w, y), QPointF(base.x() + w, y));
        const qreal t2 = static_cast<qreal>(i + 1) / (rungs + 1);
        p.drawLine(QPointF(base.x() - w, y),
                   QPointF(base.x() + half * (1 - t2), base.y() - height * t2));
    }
}

}  // namespace

QIcon commandIcon(CommandId id) {
    std::function<void(QPainter&)> draw;
    if (id == CommandId::EmptyTable)
        draw = emptyTable;
    else if (id == CommandId::ImportLas)
        draw = [](QPainter& p) { fileWithText(p, "LAS", QColor(0, 0, 170), true); };
    else if (id == CommandId::ImportAscii)
        draw = [](QPainter& p) { fileWithText(p, "TXT", QColor(0, 120, 0), false); };
    else if (id == CommandId::SaveTable)
        draw = save;
    else if (id == CommandId::PrintTracks)
        draw = [](QPainter& p) {
            printer(p);
            logCurve(p, QRectF(11, 2, 9, 10), QColor(255, 0, 0), 1.0, 1.0);
        };
    else if (id == CommandId::PrintTable)
        draw = [](QPainter& p) {
            printer(p);
            tableGrid(p, QRectF(11, 3, 10, 8));
        };
    else if (id == CommandId::FindDepth)
        draw = find;
    else if (id == CommandId::ElasticParameters)
        draw = elasticParameters;
    else if (id == CommandId::CorrelationCoefficients)
        draw = correlation;
    else if (id == CommandId::ElasticCorrelations)
        draw = tracks;
    else if (id == CommandId::TimeLapse)
        draw = timeLapse;
    else if (id == CommandId::CrossPlots)
        draw = [](QPainter& p) { scatter(p, false); };
    else if (id == CommandId::Exit)
        draw = exitDoor;
    if (!draw) return {};
    return QIcon(drawn(kIconW, kIconH, draw));
}

QPixmap toolBarLogo(int which) {
    return drawn(41, 33, [which](QPainter& p) {
        switch (which) {
            case 0:
                strata(p, QRectF(8, 2, 25, 29), 6);
                break;
            case 1: {
                QLinearGradient sky(0, 0, 0, 33);
                sky.setColorAt(0, QColor(170, 210, 255));
                sky.setColorAt(1, QColor(240, 245, 255));
                p.fillRect(QRectF(4, 2, 33, 22), sky);
                p.fillRect(QRectF(4, 24, 33, 7), QColor(160, 120, 70));
                derrick(p, QPointF(20.5, 24), 20, QColor(60, 60, 60));
                p.setPen(QPen(QColor(80, 80, 80), 1));
                p.setBrush(Qt::NoBrush);
                p.drawRect(QRectF(4, 2, 33, 29));
                break;
            }
            default: {
                QLinearGradient g(0, 2, 0, 31);
                g.setColorAt(0, QColor(0, 0, 110));
                g.setColorAt(1, QColor(0, 60, 160));
                p.setPen(Qt::NoPen);
                p.setBrush(g);
                p.drawRoundedRect(QRectF(4, 2, 33, 29), 4, 4);
                QFont f("Times New Roman");
                f.setPixelSize(13);
                f.setBold(true);
                f.setItalic(true);
                p.setFont(f);
                p.setPen(QColor(255, 220, 80));
                p.drawText(QRectF(4, 2, 33, 29), Qt::AlignCenter, QStringLiteral("QVN"));
                break;
            }
        }
    });
}

QPixmap smallLogo() {
    return drawn(57, 49, [](QPainter& p) {
        strata(p, QRectF(2, 16, 30, 31), 5);
        derrick(p, QPointF(17, 16), 15, QColor(40, 40, 40));
        logCurve(p, QRectF(34, 2, 20, 45), QColor(0, 0, 180), 0.4, 1.6);
        logCurve(p, QRectF(36, 2, 20, 45), QColor(220, 0, 0), 1.6, 1.2);
    });
}

QPixmap splashPicture() {
    const int w = 472, h = 272;
    return drawn(w, h, [w, h](QPainter& p) {
        // Sky and ground line with a rig, then the beds of a basin in section, then three
        // log tracks on the right as the program shows them.
        QLinearGradient sky(0, 0, 0, 70);
        sky.setColorAt(0, QColor(90, 150, 230));
        sky.setColorAt(1, QColor(200, 225, 250));
        p.fillRect(QRectF(0, 0, w, 70), sky);
        const QColor beds[] = {QColor(214, 190, 120), QColor(160, 160, 150), QColor(120, 170, 200),
                               QColor(196, 140, 90),  QColor(110, 105, 80),  QColor(228, 205, 160),
                               QColor(140, 120, 150)};
        const int bedCount = 7;
        // Each bed is filled down to the bottom; the deeper ones are drawn over it.
        for (int i = 0; i < bedCount; ++i) {
            QPainterPath bed;
            const double top = 66 + i * 30;
            bed.moveTo(0, h);
            for (int x = 0; x <= 300; x += 6)
                bed.lineTo(x, top + 10 * std::sin(x / 60.0 + i * 0.7) + (i > 3 ? x / 25.0 : 0));
            bed.lineTo(300, h);
            bed.closeSubpath();
            p.setPen(QPen(beds[i].darker(140), 1));
            p.setBrush(beds[i]);
            p.drawPath(bed);
        }
        // The well bore.
        p.setPen(QPen(QColor(30, 30, 30), 2));
        p.drawLine(QPointF(150, 66), QPointF(150, h));
        derrick(p, QPointF(150, 68), 58, QColor(40, 40, 40));
        // The tracks.
        p.fillRect(QRectF(300, 0, w - 300, h), QColor(250, 250, 245));
        const QColor curves[] = {QColor(92, 185, 0), QColor(255, 0, 0), QColor(0, 128, 255)};
        for (int i = 0; i < 3; ++i) {
            const QRectF track(306 + i * 55, 8, 50, h - 16);
            p.setPen(QPen(QColor(150, 150, 150), 1));
            p.setBrush(Qt::white);
            p.drawRect(track);
            p.setPen(QPen(QColor(215, 215, 215), 0.6, Qt::DotLine));
            for (qreal y = track.top() + 20; y < track.bottom(); y += 20)
                p.drawLine(QPointF(track.left(), y), QPointF(track.right(), y));
            QPainterPath path;
            for (int s = 0; s <= 120; ++s) {
                const double t = s / 120.0;
                const double v = 0.5 + 0.25 * std::sin(t * 17 + i * 2.1) +
                                 0.15 * std::sin(t * 53 + i) + 0.08 * std::sin(t * 131 + i * 3);
                const QPointF pt(track.left() + 4 + v * (track.width() - 8),
                                 track.top() + t * track.height());
                if (s == 0)
                    path.moveTo(pt);
                else
                    path.lineTo(pt);
            }
            p.setPen(QPen(curves[i], 1.3));
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
        }
        p.setPen(QPen(QColor(80, 80, 80), 1));
        p.drawLine(QPointF(300, 0), QPointF(300, h));
    });
}

QIcon programIcon() {
    QIcon icon;
    icon.addPixmap(drawn(32, 32, [](QPainter& p) {
        strata(p, QRectF(2, 10, 28, 20), 4);
        derrick(p, QPointF(16, 11), 10, QColor(30, 30, 30));
    }));
    return icon;
}

}  // namespace pictures
