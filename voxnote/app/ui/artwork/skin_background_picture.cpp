// Picture 139: the whole main window behind its controls and displays.
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>
#include <utility>

#include "voxnote/app/display/main_window_layout.h"
#include "voxnote/app/skin/skin_slider.h"
#include "voxnote/app/skin/skin_value_label.h"
#include "voxnote/app/ui/artwork/skin_paint_kit.h"
#include "voxnote/app/ui/artwork/skin_pictures.h"

namespace voxnote::pictures {

namespace {

using paint::colour::kLabel;
constexpr int kWidth = layout::kWindowSize.width;
constexpr int kHeight = layout::kWindowSize.height;
constexpr int kBandHeight = layout::kShrunkWindowSize.height;  // rows 0..32, row 32 its lower edge
constexpr int kThumbWidth = 16;

QRect ToQRect(const SkinRect& rect) { return QRect(rect.left, rect.top, rect.Width(), rect.Height()); }

void DrawFrame(QPainter& painter) {
    // The band's lower edge doubles as the window's bottom edge when shrunk.
    painter.fillRect(QRect(0, kBandHeight - 1, kWidth, 1), paint::colour::kEdgeDark);
    painter.fillRect(QRect(1, kBandHeight, kWidth - 2, 1), QColor(140, 144, 150, 150));
    paint::DrawBevel(painter, QRect(1, 1, kWidth - 2, kBandHeight - 3), QColor(150, 154, 160, 120),
                     QColor(0, 0, 0, 90));
    paint::DrawBevel(painter, QRect(1, kBandHeight + 1, kWidth - 2, kHeight - kBandHeight - 2),
                     QColor(150, 154, 160, 60), QColor(0, 0, 0, 110));
    painter.setPen(paint::colour::kEdgeDark);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(0, 0, kWidth - 1, kHeight - 1));
}

void DrawLogo(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // A short sound wave that ends in a note head: sound in, notes out.
    QPainterPath wave;
    wave.moveTo(8, 15);
    for (int i = 0; i <= 12; ++i) {
        const double x = 8 + i;
        const double amplitude = 5.0 * (1.0 - i / 14.0);
        wave.lineTo(x, 15 - amplitude * std::sin(i * 1.3));
    }
    painter.setPen(QPen(paint::colour::kDisplayGreen, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(wave);
    painter.setPen(Qt::NoPen);
    painter.setBrush(paint::colour::kDisplayGreen);
    painter.save();
    painter.translate(24, 18);
    painter.rotate(-22);
    painter.drawEllipse(QPointF(0, 0), 2.8, 2.0);
    painter.restore();
    painter.fillRect(QRectF(26, 7, 1.2, 11), paint::colour::kDisplayGreen);

    DrawTitleWordmark(painter, QPointF(32, 20), 17);
    painter.restore();

    paint::DrawCaption(painter, QRectF(32, 22, 72, 8), "SOUND TO MIDI", 7, QColor(150, 155, 162));
}

// A small perforated grille, as over a microphone capsule.
void DrawGrille(QPainter& painter) {
    for (int row = 0; row < 2; ++row) {
        for (int x = 145 + row * 2; x <= 193; x += 4) {
            const int y = 4 + row * 4;
            painter.fillRect(QRect(x, y, 2, 2), QColor(6, 6, 8));
            painter.fillRect(QRect(x, y + 2, 2, 1), QColor(150, 154, 160, 90));
        }
    }
}

void DrawLevelScale(QPainter& painter) {
    const QRect meter = ToQRect(layout::kMeterArea);
    paint::DrawWell(painter, meter);
    // Coloured zone marks beside the bar and a tick every four segments.
    const std::array<std::pair<int, QColor>, 3> zones = {
        {{0, QColor(0, 150, 30)}, {8, QColor(170, 140, 0)}, {13, QColor(170, 30, 20)}}};
    for (std::size_t i = 0; i < zones.size(); ++i) {
        const int first = zones[i].first;
        const int last = i + 1 < zones.size() ? zones[i + 1].first - 1 : 24;
        const int top = 177 - 4 * last;
        const int bottom = 177 - 4 * first + 2;
        painter.fillRect(QRect(54, top, 2, bottom - top + 1), zones[i].second);
    }
    for (int segment = 0; segment <= 24; segment += 4) {
        painter.fillRect(QRect(16, 178 - 4 * segment, segment % 8 == 0 ? 5 : 3, 1), QColor(0, 140, 44));
    }
    paint::DrawCaption(painter, QRectF(18, 184, 38, 9), "LEVEL", 7, QColor(0, 150, 48));
}

void DrawSliderTrack(QPainter& painter, SkinPoint slider, const QString& name) {
    const int centre = slider.x + kThumbWidth / 2;
    const int top = slider.y;
    const int bottom = slider.y + SkinSlider::kTrackLength - 1;
    // The slot the thumb runs in.
    painter.fillRect(QRect(centre - 2, top + 1, 4, bottom - top - 1), QColor(4, 4, 6));
    paint::DrawBevel(painter, QRect(centre - 3, top, 6, bottom - top + 1), QColor(0, 0, 0, 200),
                     QColor(150, 154, 160, 130));
    // Scale ticks either side: eleven steps over the thumb's travel, longer at the ends and middle.
    const double first = top + 5;
    const double step = (SkinSlider::kTrackLength - 10) / 10.0;
    for (int k = 0; k <= 10; ++k) {
        const int y = static_cast<int>(first + k * step);
        const int length = k % 5 == 0 ? 5 : 3;
        const QColor tick = k % 5 == 0 ? kLabel : QColor(150, 155, 162);
        painter.fillRect(QRect(slider.x - 1 - length, y, length, 1), tick);
        painter.fillRect(QRect(slider.x + kThumbWidth + 1, y, length, 1), tick);
    }
    const SkinRect label = SkinRect::At(
        {slider.x + SkinValueLabel::kOffsetFromSlider.x, slider.y + SkinValueLabel::kOffsetFromSlider.y},
        SkinValueLabel::kSize);
    paint::DrawWell(painter, ToQRect(label));
    paint::DrawCaption(painter, QRectF(centre - 20, 36, 40, 10), name, 9);
}

void DrawFieldWithCaption(QPainter& painter, const SkinRect& field, int captionRight, const QString& caption) {
    paint::DrawWell(painter, ToQRect(field));
    paint::DrawCaption(painter, QRectF(field.left - 2, field.top - 12, captionRight - field.left + 4, 9), caption, 8);
}

constexpr QRect kMakersPlate(104, 295, 88, 42);

void DrawMakersPlate(QPainter& painter) {
    const QRect plate = kMakersPlate;
    paint::DrawBevel(painter, plate.adjusted(-1, -1, 1, 1), QColor(0, 0, 0, 200), QColor(150, 154, 160, 120));
    paint::DrawBevel(painter, plate, QColor(150, 154, 160, 80), QColor(0, 0, 0, 120));
    for (QPointF screw : {QPointF(108.5, 299.5), QPointF(187.5, 299.5), QPointF(108.5, 332.5),
                          QPointF(187.5, 332.5)}) {
        paint::DrawScrew(painter, screw, 2, screw.x() * 7 + screw.y());
    }
    QFont font = paint::CaptionFont(12);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0, 180));
    painter.drawText(QRectF(104, 300, 88, 16).translated(0, 1), Qt::AlignCenter, "VOXNOTE");
    painter.setPen(QColor(200, 204, 210));
    painter.drawText(QRectF(104, 300, 88, 16), Qt::AlignCenter, "VOXNOTE");
    painter.restore();
    painter.fillRect(QRect(118, 317, 60, 1), QColor(0, 200, 60));
    paint::DrawCaption(painter, QRectF(104, 319, 88, 10), "VOICE TO NOTES", 7, QColor(150, 155, 162));
}

}  // namespace

QPixmap Background(qreal pixelRatio) {
    QImage picture = paint::NewPicture({kWidth, kHeight}, pixelRatio);
    paint::BrushMetal(picture, QRect(0, 0, kWidth, kHeight), paint::colour::kBody, 139);
    paint::BrushMetal(picture, QRect(0, 0, kWidth, kBandHeight), paint::colour::kTitleBand, 1390);
    paint::BrushMetal(picture, kMakersPlate, QColor(40, 43, 48), 4242);
    QPainter painter(&picture);
    DrawFrame(painter);
    DrawLogo(painter);
    DrawGrille(painter);

    DrawLevelScale(painter);
    DrawSliderTrack(painter, layout::kInputVolumeSlider, "INPUT");
    DrawSliderTrack(painter, layout::kGapRatioSlider, "GAP");
    DrawSliderTrack(painter, layout::kNoteStopRatioSlider, "STOP");

    paint::DrawGroove(painter, 6, kWidth - 7, 203);
    DrawFieldWithCaption(painter, layout::kMaximumNoteField, 63, "MAX NOTE");
    DrawFieldWithCaption(painter, layout::kScaleField, 194, "SCALE");
    DrawFieldWithCaption(painter, layout::kMinimumNoteField, 63, "MIN NOTE");
    DrawFieldWithCaption(painter, layout::kPresetField, 194, "PRESET");
    paint::DrawGroove(painter, 6, kWidth - 7, 289);

    DrawMakersPlate(painter);
    painter.end();
    return paint::ToPixmap(picture);
}

}  // namespace voxnote::pictures
