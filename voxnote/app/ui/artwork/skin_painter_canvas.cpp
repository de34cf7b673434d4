#include "voxnote/app/ui/artwork/skin_painter_canvas.h"

#include <QFontMetrics>

#include "voxnote/app/skin/field_text_fit.h"
#include "voxnote/app/ui/artwork/skin_paint_kit.h"

namespace voxnote {

namespace {
QRect ToQRect(const SkinRect& rect) { return QRect(rect.left, rect.top, rect.Width(), rect.Height()); }
QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
}  // namespace

void SkinPainterCanvas::DrawBitmap(std::string_view name, SkinPoint topLeft) {
    painter_.drawPixmap(QPoint(topLeft.x, topLeft.y), artwork_.Bitmap(name));
}

void SkinPainterCanvas::DrawBitmap(int resource, SkinPoint topLeft) {
    painter_.drawPixmap(QPoint(topLeft.x, topLeft.y), artwork_.Bitmap(resource));
}

void SkinPainterCanvas::DrawFieldText(const SkinRect& field, std::string_view text) {
    const QRect area = ToQRect(field);
    painter_.fillRect(area, paint::colour::kGlass);
    painter_.setFont(fieldFont_);
    painter_.setPen(kFieldGreen);
    painter_.drawText(area, Qt::AlignCenter, ToQString(text));
}

void SkinPainterCanvas::DrawDisplayText(const SkinRect& field, std::string_view text, const QFont& font,
                                        const QColor& colour) {
    const QRect area = ToQRect(field);
    painter_.fillRect(area, paint::colour::kGlass);
    const QFontMetrics metrics(font);
    const std::string fitted = FitFieldText(text, area.width(), [&metrics](std::string_view candidate) {
        return metrics.horizontalAdvance(ToQString(candidate));
    });
    painter_.save();
    painter_.setClipRect(area);
    painter_.setFont(font);
    painter_.setPen(colour);
    painter_.drawText(QRect(area.left(), area.top() + 3, area.width(), metrics.height()),
                      Qt::AlignHCenter | Qt::AlignTop, ToQString(fitted));
    painter_.restore();
}

}  // namespace voxnote
