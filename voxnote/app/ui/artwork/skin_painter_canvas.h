#pragma once
#include <QColor>
#include <QFont>
#include <QPainter>
#include <utility>

#include "voxnote/app/skin/skin_canvas.h"
#include "voxnote/app/ui/artwork/skin_artwork.h"

namespace voxnote {

// Draws skinned controls and display texts with a QPainter, taking the
// pictures from the skin's artwork.
class SkinPainterCanvas : public SkinCanvas {
public:
    // The display fields' colour.
    static inline const QColor kFieldGreen{0, 255, 0};

    SkinPainterCanvas(QPainter& painter, const SkinArtwork& artwork, QFont fieldFont)
        : painter_(painter), artwork_(artwork), fieldFont_(std::move(fieldFont)) {}

    void DrawBitmap(std::string_view name, SkinPoint topLeft) override;
    void DrawBitmap(int resource, SkinPoint topLeft);
    // Value labels: the number centred both ways.
    void DrawFieldText(const SkinRect& field, std::string_view text) override;
    // Display fields: cleared to black, the text fitted to the field and
    // centred across it, its top 3 pixels below the field's top.
    void DrawDisplayText(const SkinRect& field, std::string_view text, const QFont& font,
                         const QColor& colour = kFieldGreen);

private:
    QPainter& painter_;
    const SkinArtwork& artwork_;
    QFont fieldFont_;
};

}  // namespace voxnote
