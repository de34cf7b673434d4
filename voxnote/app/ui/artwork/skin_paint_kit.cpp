#include "voxnote/app/ui/artwork/skin_paint_kit.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <vector>

namespace voxnote::paint {

namespace {

// A small fast generator: the grain must look random but be the same on every run.
class GrainNoise {
public:
    explicit GrainNoise(quint32 seed) : state_(seed == 0 ? 0x9E3779B9u : seed) {}
    // A value in -1..1.
    double Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_ % 20001u) / 10000.0 - 1.0;
    }

private:
    quint32 state_;
};

// Averages each value with its neighbours within the radius, so that the
// noise of a row turns into long strokes.
std::vector<double> Smear(const std::vector<double>& values, int radius) {
    const int count = static_cast<int>(values.size());
    std::vector<double> smeared(values.size());
    for (int i = 0; i < count; ++i) {
        double sum = 0;
        int used = 0;
        for (int j = std::max(0, i - radius); j <= std::min(count - 1, i + radius); ++j) {
            sum += values[j];
            ++used;
        }
        smeared[i] = sum / used;
    }
    return smeared;
}

int Channel(double value) { return std::clamp(static_cast<int>(std::lround(value)), 0, 255); }

void FillRow(QPainter& painter, int left, int right, int y, const QColor& colour) {
    painter.fillRect(QRect(left, y, right - left + 1, 1), colour);
}

void FillColumn(QPainter& painter, int x, int top, int bottom, const QColor& colour) {
    painter.fillRect(QRect(x, top, 1, bottom - top + 1), colour);
}

}  // namespace

QImage NewPicture(QSize size, qreal pixelRatio, bool transparent) {
    QImage picture(size * pixelRatio, transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    picture.setDevicePixelRatio(pixelRatio);
    picture.fill(transparent ? QColor(Qt::transparent) : colour::kBody);
    return picture;
}

QPixmap ToPixmap(const QImage& picture) { return QPixmap::fromImage(picture); }

void BrushMetal(QImage& picture, const QRect& area, const QColor& base, quint32 seed) {
    const qreal ratio = picture.devicePixelRatio();
    const QRect pixels = QRect(QPoint(std::lround(area.left() * ratio), std::lround(area.top() * ratio)),
                               area.size() * ratio)
                             .intersected(picture.rect());
    if (pixels.isEmpty()) {
        return;
    }
    GrainNoise noise(seed);
    const int strokeRadius = static_cast<int>(9 * ratio);
    double rowShade = 0;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        rowShade = 0.7 * rowShade + 0.3 * noise.Next();
        std::vector<double> grain(pixels.width());
        for (double& value : grain) {
            value = noise.Next();
        }
        grain = Smear(grain, strokeRadius);
        // A soft light from above: the top of the area is a little brighter.
        const double light = 5.0 - 10.0 * (y - pixels.top()) / std::max(1, pixels.height());
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            const double shade = light + 4.0 * rowShade + 16.0 * grain[x - pixels.left()] + 1.5 * noise.Next();
            line[x] = qRgb(Channel(base.red() + shade), Channel(base.green() + shade),
                           Channel(base.blue() + shade * 1.1));
        }
    }
}

void DrawBevel(QPainter& painter, const QRectF& area, const QColor& topLeft, const QColor& bottomRight) {
    const QRect r = area.toRect();
    FillRow(painter, r.left(), r.right(), r.top(), topLeft);
    FillColumn(painter, r.left(), r.top(), r.bottom(), topLeft);
    FillRow(painter, r.left() + 1, r.right(), r.bottom(), bottomRight);
    FillColumn(painter, r.right(), r.top() + 1, r.bottom(), bottomRight);
}

void DrawWell(QPainter& painter, const QRect& area) {
    DrawBevel(painter, area.adjusted(-2, -2, 2, 2), QColor(18, 18, 20, 150), QColor(150, 154, 160, 140));
    DrawBevel(painter, area.adjusted(-1, -1, 1, 1), QColor(0, 0, 0), QColor(96, 100, 106));
    painter.fillRect(area, colour::kGlass);
}

void DrawGroove(QPainter& painter, qreal left, qreal right, qreal y) {
    const int l = static_cast<int>(left);
    const int r = static_cast<int>(right);
    const int row = static_cast<int>(y);
    FillRow(painter, l, r, row, QColor(16, 16, 18, 200));
    FillRow(painter, l, r, row + 1, QColor(150, 154, 160, 110));
}

void DrawKeyCap(QPainter& painter, const QRectF& area, bool down) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // The slot the key sits in.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(6, 6, 8));
    painter.drawRoundedRect(area, 2, 2);

    const QRectF cap = area.adjusted(1, 1, -1, -1);
    QLinearGradient face(cap.topLeft(), cap.bottomLeft());
    if (down) {
        // Pushed in, the cap catches the light from below.
        face.setColorAt(0, QColor(26, 28, 32));
        face.setColorAt(1, QColor(54, 57, 63));
    } else {
        face.setColorAt(0, colour::kKeyTop);
        face.setColorAt(1, colour::kKeyBottom);
    }
    painter.setBrush(face);
    painter.drawRoundedRect(cap, 1.5, 1.5);

    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRect edge = cap.toRect();
    if (down) {
        FillRow(painter, edge.left() + 1, edge.right() - 1, edge.top(), QColor(0, 0, 0, 150));
    } else {
        FillRow(painter, edge.left() + 1, edge.right() - 1, edge.top(), QColor(255, 255, 255, 70));
        FillRow(painter, edge.left() + 1, edge.right() - 1, edge.bottom(), QColor(0, 0, 0, 110));
    }
    painter.restore();
}

void DrawScrew(QPainter& painter, QPointF centre, qreal radius, qreal slotDegrees) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(10, 10, 12, 170));
    painter.drawEllipse(centre, radius + 0.8, radius + 0.8);
    QRadialGradient head(centre - QPointF(radius / 3, radius / 3), radius * 1.6);
    head.setColorAt(0, QColor(190, 194, 200));
    head.setColorAt(1, QColor(72, 75, 80));
    painter.setBrush(head);
    painter.drawEllipse(centre, radius, radius);
    painter.translate(centre);
    painter.rotate(slotDegrees);
    painter.setPen(QPen(QColor(28, 28, 30), std::max<qreal>(0.9, radius / 3)));
    painter.drawLine(QPointF(-radius * 0.75, 0), QPointF(radius * 0.75, 0));
    painter.restore();
}

void DrawLamp(QPainter& painter, QPointF centre, qreal radius, const QColor& colour, bool lit) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 200));
    painter.drawEllipse(centre, radius + 1, radius + 1);
    if (lit) {
        QRadialGradient glow(centre, radius * 1.9);
        QColor halo = colour;
        halo.setAlpha(110);
        glow.setColorAt(0, halo);
        glow.setColorAt(1, QColor(0, 0, 0, 0));
        painter.setBrush(glow);
        painter.drawEllipse(centre, radius * 1.9, radius * 1.9);
    }
    QRadialGradient lens(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    lens.setColorAt(0, lit ? colour.lighter(170) : colour.darker(260));
    lens.setColorAt(0.5, lit ? colour : colour.darker(420));
    lens.setColorAt(1, lit ? colour.darker(150) : colour.darker(700));
    painter.setBrush(lens);
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(QColor(255, 255, 255, lit ? 170 : 70));
    painter.drawEllipse(centre - QPointF(radius * 0.35, radius * 0.4), radius * 0.3, radius * 0.22);
    painter.restore();
}

QFont CaptionFont(qreal pixelSize) {
    QFont font;
    font.setFamilies({"DejaVu Sans Condensed", "Liberation Sans Narrow", "Arial Narrow", "Arial", "DejaVu Sans"});
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
    font.setBold(true);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont DisplayFont(int pixelSize) {
    QFont font;
    font.setFamilies({"Arial", "Liberation Sans", "Helvetica", "DejaVu Sans Condensed", "DejaVu Sans"});
    font.setPixelSize(pixelSize);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void DrawCaption(QPainter& painter, const QRectF& area, const QString& text, qreal pixelSize,
                 const QColor& colour) {
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(CaptionFont(pixelSize));
    painter.setPen(QColor(0, 0, 0, 170));
    painter.drawText(area.translated(0, 1), Qt::AlignCenter, text);
    painter.setPen(colour);
    painter.drawText(area, Qt::AlignCenter, text);
    painter.restore();
}

}  // namespace voxnote::paint
