// The program's own marks: window icon, drag cursor, splash and about pictures,
// and the word mark they share with the title band.
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "voxnote/app/ui/artwork/skin_paint_kit.h"
#include "voxnote/app/ui/artwork/skin_pictures.h"

namespace voxnote::pictures {

namespace {

const QColor kWordGreen{40, 235, 90};

// A sound wave of a few sung syllables: bursts of oscillation that swell and
// fade, each a little quieter than the one before.
QPainterPath SoundWave(qreal left, qreal right, qreal middle, qreal amplitude, int bursts, int cyclesPerBurst) {
    QPainterPath wave(QPointF(left, middle));
    const int steps = static_cast<int>((right - left) * 4);
    for (int i = 1; i <= steps; ++i) {
        const qreal t = static_cast<qreal>(i) / steps;
        const qreal burst = std::fmod(t * bursts, 1.0);
        const qreal envelope = std::sin(burst * M_PI) * (1.0 - 0.3 * t);
        const qreal phase = 2 * M_PI * cyclesPerBurst * burst;
        wave.lineTo(left + t * (right - left), middle - amplitude * envelope * std::sin(phase));
    }
    return wave;
}

// A filled note head with its stem (and a flag when asked), head centre given.
void DrawNote(QPainter& painter, QPointF head, qreal size, const QColor& colour, bool flag) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.translate(head);
    painter.rotate(-22);
    painter.drawEllipse(QPointF(0, 0), size * 1.35, size);
    painter.restore();
    const QPointF stemFoot = head + QPointF(size * 1.2, -size * 0.2);
    const QPointF stemTop = stemFoot - QPointF(0, size * 6);
    painter.setPen(QPen(colour, std::max<qreal>(1.0, size * 0.32)));
    painter.drawLine(stemFoot, stemTop);
    if (flag) {
        QPainterPath curl(stemTop);
        curl.cubicTo(stemTop + QPointF(0.2 * size, 1.8 * size), stemTop + QPointF(2.6 * size, 2.2 * size),
                     stemTop + QPointF(1.8 * size, 4.4 * size));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(curl);
    }
}

void DrawStaff(QPainter& painter, qreal left, qreal right, qreal top, qreal spacing, const QColor& colour) {
    for (int line = 0; line < 5; ++line) {
        painter.fillRect(QRectF(left, top + line * spacing, right - left, 1), colour);
    }
}

// Brushed panel with a raised edge and a screw in each corner.
void DrawPanel(QImage& picture, QSize size, quint32 seed) {
    paint::BrushMetal(picture, QRect(QPoint(0, 0), size), paint::colour::kBody, seed);
    QPainter painter(&picture);
    paint::DrawBevel(painter, QRect(QPoint(0, 0), size), QColor(150, 154, 160, 140), QColor(0, 0, 0, 160));
    const qreal inset = 6.5;
    for (QPointF screw : {QPointF(inset, inset), QPointF(size.width() - inset, inset),
                          QPointF(inset, size.height() - inset),
                          QPointF(size.width() - inset, size.height() - inset)}) {
        paint::DrawScrew(painter, screw, 2.4, screw.x() * 3 + screw.y() * 5);
    }
}

// "vox" in light metal and "note" in green, the baseline's left end given.
void DrawWordmark(QPainter& painter, QPointF baseline, qreal pixelSize) {
    QFont font = paint::CaptionFont(pixelSize);
    font.setFamilies({"DejaVu Sans", "Arial", "Liberation Sans"});
    font.setLetterSpacing(QFont::AbsoluteSpacing, -pixelSize / 40);
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(font);
    const qreal shadow = std::max<qreal>(1, pixelSize / 17);
    const qreal voxWidth = QFontMetricsF(font).horizontalAdvance("vox");
    painter.setPen(QColor(0, 0, 0, 170));
    painter.drawText(baseline + QPointF(0, shadow), "vox");
    painter.drawText(baseline + QPointF(voxWidth, shadow), "note");
    painter.setPen(QColor(228, 231, 235));
    painter.drawText(baseline, "vox");
    painter.setPen(kWordGreen);
    painter.drawText(baseline + QPointF(voxWidth, 0), "note");
    painter.restore();
}

qreal WordmarkWidth(qreal pixelSize) {
    QFont font = paint::CaptionFont(pixelSize);
    font.setFamilies({"DejaVu Sans", "Arial", "Liberation Sans"});
    font.setLetterSpacing(QFont::AbsoluteSpacing, -pixelSize / 40);
    return QFontMetricsF(font).horizontalAdvance("voxnote");
}

// A black window in which a sung phrase turns into notes on a staff.
void DrawSoundToNotes(QPainter& painter, const QRect& window) {
    paint::DrawWell(painter, window);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(window);
    const qreal middle = window.center().y() + 1;
    const qreal split = window.left() + window.width() * 0.42;
    painter.setPen(QPen(paint::colour::kDisplayGreen, 1.1));
    painter.drawPath(SoundWave(window.left() + 6, split - 8, middle, window.height() * 0.32, 3, 5));
    // The arrow between the sound and the notes.
    QPainterPath arrow;
    arrow.moveTo(split - 4, middle - 3);
    arrow.lineTo(split + 1, middle);
    arrow.lineTo(split - 4, middle + 3);
    painter.fillPath(arrow, QColor(0, 170, 50));

    const qreal spacing = std::max<qreal>(3, window.height() / 11.0);
    const qreal staffTop = middle - 2 * spacing;
    DrawStaff(painter, split + 6, window.right() - 5, staffTop, spacing, QColor(0, 130, 44));
    const qreal step = (window.right() - 12 - split) / 4;
    const int heights[4] = {5, 3, 4, 1};  // half-spaces below the top line
    for (int i = 0; i < 4; ++i) {
        const QPointF head(split + 14 + i * step, staffTop + heights[i] * spacing / 2);
        DrawNote(painter, head, spacing * 0.5, paint::colour::kDisplayGreen, i == 3);
    }
    painter.restore();
}

}  // namespace

QPixmap Icon(int size) {
    QImage picture(size, size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(size / 64.0, size / 64.0);
    QLinearGradient body(0, 2, 0, 62);
    body.setColorAt(0, QColor(92, 97, 104));
    body.setColorAt(1, QColor(30, 32, 36));
    painter.setPen(QPen(QColor(8, 8, 10), 1.5));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    painter.setPen(Qt::NoPen);
    painter.setBrush(paint::colour::kGlass);
    painter.drawRoundedRect(QRectF(8, 10, 48, 44), 5, 5);
    painter.setPen(QPen(paint::colour::kDisplayGreen, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(SoundWave(11, 31, 34, 10, 1, 3));
    DrawNote(painter, QPointF(39, 42), 4.2, paint::colour::kDisplayGreen, true);
    painter.end();
    return QPixmap::fromImage(picture);
}

QPixmap DragCursor(qreal pixelRatio) {
    QImage picture = paint::NewPicture({32, 32}, pixelRatio, true);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Four arrows out from the middle: the window goes wherever the mouse takes it.
    // One quarter of the outline, turned four times about the hot spot.
    const QPointF quarter[] = {{0, -15}, {5.5, -9.5}, {2, -9.5}, {2, -2}, {9.5, -2}, {9.5, -5.5}};
    QPolygonF outline;
    for (int turn = 0; turn < 4; ++turn) {
        QTransform rotation;
        rotation.translate(16, 16);
        rotation.rotate(90 * turn);
        for (const QPointF& point : quarter) {
            outline << rotation.map(point);
        }
    }
    QPainterPath arrows;
    arrows.addPolygon(outline);
    arrows.closeSubpath();
    painter.setPen(QPen(Qt::black, 1.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::white);
    painter.drawPath(arrows);
    painter.end();
    return paint::ToPixmap(picture);
}

QPixmap Splash(qreal pixelRatio) {
    const QSize size(226, 158);
    QImage picture = paint::NewPicture(size, pixelRatio);
    DrawPanel(picture, size, 191);
    QPainter painter(&picture);
    const qreal wordSize = 34;
    DrawWordmark(painter, QPointF((size.width() - WordmarkWidth(wordSize)) / 2, 52), wordSize);
    paint::DrawCaption(painter, QRectF(0, 58, size.width(), 12), "SOUND  TO  MIDI  CONVERTER", 9);
    DrawSoundToNotes(painter, QRect(14, 80, size.width() - 28, 58));
    painter.end();
    return paint::ToPixmap(picture);
}

QPixmap About(qreal pixelRatio) {
    const QSize size(180, 96);
    QImage picture = paint::NewPicture(size, pixelRatio);
    DrawPanel(picture, size, 192);
    QPainter painter(&picture);
    const qreal wordSize = 24;
    DrawWordmark(painter, QPointF((size.width() - WordmarkWidth(wordSize)) / 2, 32), wordSize);
    paint::DrawCaption(painter, QRectF(0, 36, size.width(), 10), "SOUND  TO  MIDI", 8);
    DrawSoundToNotes(painter, QRect(14, 52, size.width() - 28, 32));
    painter.end();
    return paint::ToPixmap(picture);
}

void DrawTitleWordmark(QPainter& painter, QPointF baseline, qreal pixelSize) {
    DrawWordmark(painter, baseline, pixelSize);
}

}  // namespace voxnote::pictures
