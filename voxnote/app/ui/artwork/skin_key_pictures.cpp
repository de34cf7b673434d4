// The key caps of the main window: buttons, toggles and the slider thumb.
#include <QPainter>
#include <QPainterPath>
#include <map>
#include <string>

#include "voxnote/app/ui/artwork/skin_paint_kit.h"
#include "voxnote/app/ui/artwork/skin_pictures.h"

namespace voxnote::pictures {

namespace {

using paint::colour::kSymbol;

enum class KeyKind { Button, Toggle, Thumb };

struct KeyDesign {
    QSize size;
    KeyKind kind;
};

const std::map<std::string, KeyDesign, std::less<>>& KeyDesigns() {
    static const std::map<std::string, KeyDesign, std::less<>> designs = {
        {"STA_", {{20, 26}, KeyKind::Toggle}},   {"RED_", {{15, 14}, KeyKind::Toggle}},
        {"RHY_", {{84, 18}, KeyKind::Toggle}},   {"MINIM_", {{15, 14}, KeyKind::Button}},
        {"CLOSE_", {{15, 14}, KeyKind::Button}}, {"MIXER_", {{36, 18}, KeyKind::Button}},
        {"WAVE_", {{40, 20}, KeyKind::Button}},  {"SETUP_", {{40, 20}, KeyKind::Button}},
        {"PRESET_", {{14, 20}, KeyKind::Button}}, {"UP_", {{14, 11}, KeyKind::Button}},
        {"DN_", {{14, 11}, KeyKind::Button}},    {"SLD_OF_", {{16, 10}, KeyKind::Thumb}},
    };
    return designs;
}

// A bitmap name split into its prefix, on/off and up/down parts.
struct KeyFace {
    std::string prefix;
    KeyDesign design;
    bool on = false;
    bool down = false;
};

bool ParseFace(std::string_view name, KeyFace& face) {
    if (name.size() < 2 || (name.back() != 'U' && name.back() != 'D')) {
        return false;
    }
    face.down = name.back() == 'D';
    std::string_view stem = name.substr(0, name.size() - 1);
    for (const auto& [prefix, design] : KeyDesigns()) {
        if (design.kind == KeyKind::Button && stem == prefix) {
            face.prefix = prefix;
            face.design = design;
            return true;
        }
        if (design.kind == KeyKind::Toggle && stem.size() == prefix.size() + 3 && stem.starts_with(prefix)) {
            const std::string_view state = stem.substr(prefix.size());
            if (state != "ON_" && state != "OF_") {
                return false;
            }
            face.prefix = prefix;
            face.design = design;
            face.on = state == "ON_";
            return true;
        }
        if (design.kind == KeyKind::Thumb && stem == prefix && !face.down) {
            face.prefix = prefix;
            face.design = design;
            return true;
        }
    }
    return false;
}

void FillTriangle(QPainter& painter, QPointF centre, qreal halfWidth, qreal height, bool pointingUp,
                  const QColor& colour) {
    const qreal tipY = pointingUp ? centre.y() - height / 2 : centre.y() + height / 2;
    const qreal baseY = pointingUp ? centre.y() + height / 2 : centre.y() - height / 2;
    QPainterPath triangle;
    triangle.moveTo(centre.x(), tipY);
    triangle.lineTo(centre.x() + halfWidth, baseY);
    triangle.lineTo(centre.x() - halfWidth, baseY);
    triangle.closeSubpath();
    painter.fillPath(triangle, colour);
}

void DrawWindowSymbol(QPainter& painter, const KeyFace& face, QRectF cap) {
    const QPointF centre = cap.center();
    if (face.prefix == "MINIM_") {
        painter.fillRect(QRectF(centre.x() - 3.5, centre.y() + 1.5, 7, 2), kSymbol);
    } else if (face.prefix == "CLOSE_") {
        painter.setPen(QPen(QColor(255, 150, 135), 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(centre + QPointF(-3, -3), centre + QPointF(3, 3));
        painter.drawLine(centre + QPointF(3, -3), centre + QPointF(-3, 3));
    } else if (face.prefix == "RED_") {
        // A chevron: up to roll the window up to its title band, down (while
        // rolled up) to open it again.
        const qreal tip = face.on ? 2 : -2;
        painter.setPen(QPen(kSymbol, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF({centre + QPointF(-3.5, -tip), centre + QPointF(0, tip),
                                        centre + QPointF(3.5, -tip)}));
    }
}

void DrawStepSymbol(QPainter& painter, const KeyFace& face, QRectF cap) {
    FillTriangle(painter, cap.center(), 3.5, 3.5, face.prefix == "UP_", kSymbol);
}

void DrawPresetSymbol(QPainter& painter, QRectF cap) {
    // A short list: three lines with a bullet each.
    const QPointF centre = cap.center();
    for (int row = -1; row <= 1; ++row) {
        const qreal y = centre.y() + row * 4 - 0.5;
        painter.fillRect(QRectF(centre.x() - 3.5, y, 1.5, 1.5), kSymbol);
        painter.fillRect(QRectF(centre.x() - 1, y, 4.5, 1.5), kSymbol);
    }
}

void DrawStartKey(QPainter& painter, const KeyFace& face, QRectF cap) {
    paint::DrawLamp(painter, cap.center() + QPointF(0, -2), 5, QColor(255, 40, 30), face.on);
    painter.fillRect(QRectF(cap.center().x() - 4, cap.bottom() - 4, 8, 1.5),
                     face.on ? QColor(255, 90, 70) : QColor(150, 154, 160));
}

void DrawRhythmKey(QPainter& painter, const KeyFace& face, QRectF cap) {
    paint::DrawLamp(painter, QPointF(cap.left() + 8, cap.center().y()), 3, QColor(255, 176, 0), face.on);
    paint::DrawCaption(painter, cap.adjusted(12, 0, 0, 0), "RHYTHM", 9, kSymbol);
}

void DrawThumb(QPainter& painter, QRectF area) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 220));
    painter.drawRoundedRect(area, 2, 2);
    const QRectF cap = area.adjusted(1, 1, -1, -1);
    QLinearGradient face(cap.topLeft(), cap.bottomLeft());
    face.setColorAt(0, QColor(112, 117, 124));
    face.setColorAt(0.45, QColor(64, 68, 74));
    face.setColorAt(0.55, QColor(40, 43, 48));
    face.setColorAt(1, QColor(26, 28, 31));
    painter.setBrush(face);
    painter.drawRoundedRect(cap, 1.5, 1.5);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRectF(cap.left() + 1, cap.center().y() - 0.5, cap.width() - 2, 1), QColor(240, 242, 245));
}

}  // namespace

QSize KeySize(std::string_view name) {
    KeyFace face;
    return ParseFace(name, face) ? face.design.size : QSize();
}

QPixmap Key(std::string_view name, qreal pixelRatio) {
    KeyFace face;
    if (!ParseFace(name, face)) {
        return {};
    }
    QImage picture = paint::NewPicture(face.design.size, pixelRatio, true);
    QPainter painter(&picture);
    const QRectF area(QPointF(0, 0), face.design.size);
    if (face.design.kind == KeyKind::Thumb) {
        DrawThumb(painter, area);
        painter.end();
        return paint::ToPixmap(picture);
    }
    paint::DrawKeyCap(painter, area, face.down);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Whatever is printed on the key goes down with it.
    const QRectF cap = area.adjusted(1, 1, -1, -1).translated(0, face.down ? 1 : 0);
    if (face.prefix == "STA_") {
        DrawStartKey(painter, face, cap);
    } else if (face.prefix == "RHY_") {
        DrawRhythmKey(painter, face, cap);
    } else if (face.prefix == "UP_" || face.prefix == "DN_") {
        DrawStepSymbol(painter, face, cap);
    } else if (face.prefix == "PRESET_") {
        DrawPresetSymbol(painter, cap);
    } else if (face.prefix == "MIXER_") {
        paint::DrawCaption(painter, cap, "MIXER", 9, kSymbol);
    } else if (face.prefix == "WAVE_") {
        paint::DrawCaption(painter, cap, "WAVE", 10, kSymbol);
    } else if (face.prefix == "SETUP_") {
        paint::DrawCaption(painter, cap, "SETUP", 10, kSymbol);
    } else {
        DrawWindowSymbol(painter, face, cap);
    }
    painter.end();
    return paint::ToPixmap(picture);
}

}  // namespace voxnote::pictures
