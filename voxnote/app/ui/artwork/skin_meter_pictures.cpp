// The pictures of the meter area: the level bar's segments and lamps, and the
// pitch display's staff, note heads and sharp.
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

#include "voxnote/app/ui/artwork/skin_paint_kit.h"
#include "voxnote/app/ui/artwork/skin_pictures.h"

namespace voxnote::pictures {

namespace {

constexpr QSize kPanelSize{54, 133};
constexpr QSize kSegmentSize{28, 3};
constexpr QSize kIndicatorSize{23, 10};
constexpr QSize kHeadSize{10, 7};
constexpr QSize kSharpSize{7, 7};

// Staff lines of the panel: every other natural step (6 pixels apart), the
// bass staff from 72 to 96 and the treble staff from 36 to 60 (panel rows).
constexpr int kTrebleTop = 36;
constexpr int kBassTop = 72;
constexpr int kLineSpacing = 6;

const QColor kRunningLine{0, 130, 44};
const QColor kStoppedLine{0, 58, 22};
const QColor kNoteGreen{0, 255, 0};

// A smooth stroke through the points (a Catmull-Rom curve).
QPainterPath SmoothStroke(const std::vector<QPointF>& points) {
    QPainterPath path(points.front());
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const QPointF p0 = points[i == 0 ? 0 : i - 1];
        const QPointF p1 = points[i];
        const QPointF p2 = points[i + 1];
        const QPointF p3 = points[std::min(points.size() - 1, i + 2)];
        path.cubicTo(p1 + (p2 - p0) / 6, p2 - (p3 - p1) / 6, p2);
    }
    return path;
}

std::vector<QPointF> ToPanel(std::initializer_list<std::pair<double, double>> units, QPointF origin) {
    std::vector<QPointF> points;
    for (const auto& [x, y] : units) {
        points.emplace_back(origin.x() + x * kLineSpacing, origin.y() + y * kLineSpacing);
    }
    return points;
}

void DrawTrebleClef(QPainter& painter, const QColor& colour) {
    const QPointF origin(3, kTrebleTop);  // units: staff spaces from the top line
    const auto stroke = ToPanel({{1.10, 3.05}, {1.45, 2.75}, {1.30, 2.25}, {0.80, 2.15}, {0.35, 2.60},
                                 {0.30, 3.30}, {0.75, 3.92}, {1.45, 3.98}, {1.95, 3.40}, {1.85, 2.55},
                                 {1.30, 1.80}, {0.85, 1.00}, {0.75, 0.00}, {0.98, -1.00}, {1.32, -1.50},
                                 {1.55, -1.05}, {1.38, -0.25}, {0.98, 0.55}, {1.08, 2.00}, {1.30, 4.20},
                                 {1.32, 5.05}, {0.98, 5.50}, {0.58, 5.35}},
                                origin);
    painter.setPen(QPen(colour, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(SmoothStroke(stroke));
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(QPointF(origin.x() + 0.62 * kLineSpacing, origin.y() + 5.12 * kLineSpacing), 1.4, 1.4);
}

void DrawBassClef(QPainter& painter, const QColor& colour) {
    const QPointF origin(3, kBassTop);
    const auto stroke =
        ToPanel({{0.35, 1.0}, {0.55, 0.25}, {1.20, -0.05}, {1.85, 0.45}, {1.85, 1.40}, {1.20, 2.55}, {0.20, 3.40}},
                origin);
    painter.setPen(QPen(colour, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(SmoothStroke(stroke));
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(origin + QPointF(0.42 * kLineSpacing, 1.0 * kLineSpacing), 1.9, 1.9);
    painter.drawEllipse(origin + QPointF(2.45 * kLineSpacing, 0.5 * kLineSpacing), 1.0, 1.0);
    painter.drawEllipse(origin + QPointF(2.45 * kLineSpacing, 1.5 * kLineSpacing), 1.0, 1.0);
}

QPixmap PitchPanel(bool running, qreal pixelRatio) {
    QImage picture = paint::NewPicture(kPanelSize, pixelRatio);
    picture.fill(paint::colour::kGlass);
    QPainter painter(&picture);
    const QColor line = running ? kRunningLine : kStoppedLine;
    for (int top : {kTrebleTop, kBassTop}) {
        for (int i = 0; i < 5; ++i) {
            painter.fillRect(QRect(2, top + i * kLineSpacing, 50, 1), line);
        }
    }
    // The brace line that joins the two staves, and the final bar line.
    painter.fillRect(QRect(2, kTrebleTop, 1, kBassTop + 4 * kLineSpacing - kTrebleTop + 1), line);
    painter.fillRect(QRect(51, kTrebleTop, 1, kBassTop + 4 * kLineSpacing - kTrebleTop + 1), line);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor clef = running ? QColor(0, 200, 64) : QColor(0, 78, 28);
    DrawTrebleClef(painter, clef);
    DrawBassClef(painter, clef);
    paint::DrawCaption(painter, QRectF(24, 121, 28, 9), "PITCH", 7, running ? QColor(0, 150, 48) : QColor(0, 78, 28));
    painter.end();
    return paint::ToPixmap(picture);
}

// A lit or dark LED segment of the level bar: bright edge above, deeper below.
QPixmap Segment(const QColor& top, const QColor& middle, const QColor& bottom, qreal pixelRatio) {
    QImage picture = paint::NewPicture(kSegmentSize, pixelRatio);
    QPainter painter(&picture);
    painter.fillRect(QRect(0, 0, 28, 1), top);
    painter.fillRect(QRect(0, 1, 28, 1), middle);
    painter.fillRect(QRect(0, 2, 28, 1), bottom);
    // Darker ends, so that the bar reads as a row of separate lamps.
    painter.fillRect(QRect(0, 0, 1, 3), QColor(0, 0, 0, 120));
    painter.fillRect(QRect(27, 0, 1, 3), QColor(0, 0, 0, 120));
    painter.end();
    return paint::ToPixmap(picture);
}

QPixmap Indicator(const QColor& colour, bool lit, qreal pixelRatio) {
    QImage picture = paint::NewPicture(kIndicatorSize, pixelRatio);
    picture.fill(paint::colour::kGlass);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF lens(1, 1.5, 21, 7);
    painter.setPen(Qt::NoPen);
    if (lit) {
        QColor glow = colour;
        glow.setAlpha(80);
        painter.setBrush(glow);
        painter.drawRoundedRect(lens.adjusted(-1, -1.5, 1, 1.5), 3, 3);
    }
    QLinearGradient face(lens.topLeft(), lens.bottomLeft());
    face.setColorAt(0, lit ? colour.lighter(160) : QColor(40, 46, 42));
    face.setColorAt(0.4, lit ? colour : QColor(22, 28, 24));
    face.setColorAt(1, lit ? colour.darker(160) : QColor(12, 16, 14));
    painter.setBrush(face);
    painter.drawRoundedRect(lens, 2, 2);
    painter.setBrush(QColor(255, 255, 255, lit ? 120 : 40));
    painter.drawRoundedRect(QRectF(3, 2.5, 15, 1.2), 0.6, 0.6);
    painter.end();
    return paint::ToPixmap(picture);
}

QPixmap NoteHead(bool onLine, qreal pixelRatio) {
    QImage picture = paint::NewPicture(kHeadSize, pixelRatio, true);
    QPainter painter(&picture);
    if (onLine) {
        // The line through the head, which also serves as its ledger line off the staff.
        painter.fillRect(QRect(0, 3, 10, 1), kRunningLine.lighter(130));
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(5, 3.5);
    painter.rotate(-22);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kNoteGreen);
    painter.drawEllipse(QPointF(0, 0), 3.7, 2.6);
    painter.end();
    return paint::ToPixmap(picture);
}

QPixmap Sharp(qreal pixelRatio) {
    QImage picture = paint::NewPicture(kSharpSize, pixelRatio, true);
    QPainter painter(&picture);
    painter.fillRect(QRect(2, 0, 1, 7), kNoteGreen);
    painter.fillRect(QRect(4, 0, 1, 7), kNoteGreen);
    painter.fillRect(QRect(0, 2, 7, 1), kNoteGreen);
    painter.fillRect(QRect(0, 4, 7, 1), kNoteGreen);
    painter.end();
    return paint::ToPixmap(picture);
}

}  // namespace

QSize MeterPictureSize(int resource) {
    switch (resource) {
    case 203:
    case 204:
        return kPanelSize;
    case 205:
    case 206:
    case 207:
    case 209:
        return kSegmentSize;
    case 235:
    case 236:
    case 237:
        return kIndicatorSize;
    case 226:
    case 227:
        return kHeadSize;
    case 228:
        return kSharpSize;
    default:
        return {};
    }
}

QPixmap MeterPicture(int resource, qreal pixelRatio) {
    switch (resource) {
    case 203:
    case 204:
        return PitchPanel(resource == 203, pixelRatio);
    case 205:
        return Segment({26, 40, 30}, {16, 28, 20}, {10, 18, 13}, pixelRatio);
    case 206:
        return Segment({150, 255, 150}, {0, 235, 40}, {0, 150, 26}, pixelRatio);
    case 207:
        return Segment({255, 250, 170}, {250, 214, 0}, {170, 136, 0}, pixelRatio);
    case 209:
        return Segment({255, 170, 160}, {255, 44, 30}, {170, 20, 14}, pixelRatio);
    case 235:
        return Indicator({}, false, pixelRatio);
    case 236:
        return Indicator({255, 40, 30}, true, pixelRatio);
    case 237:
        return Indicator({40, 240, 60}, true, pixelRatio);
    case 226:
    case 227:
        return NoteHead(resource == 226, pixelRatio);
    case 228:
        return Sharp(pixelRatio);
    default:
        return {};
    }
}

}  // namespace voxnote::pictures
