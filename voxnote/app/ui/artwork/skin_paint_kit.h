#pragma once
// Drawing helpers shared by the pictures of the skinned main window: brushed
// metal, key caps, recessed display windows, printed labels and screws.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QRectF>
#include <QString>

class QPainter;

namespace voxnote::paint {

// The colours of the whole skin, so that every picture matches.
namespace colour {
inline const QColor kBody{56, 59, 64};
inline const QColor kTitleBand{44, 47, 52};
inline const QColor kEdgeDark{8, 8, 10};
inline const QColor kEdgeLight{128, 132, 138};
inline const QColor kGlass{3, 7, 5};
inline const QColor kLabel{206, 210, 216};
inline const QColor kDisplayGreen{0, 255, 0};
inline const QColor kDimGreen{0, 96, 24};
inline const QColor kKeyTop{78, 82, 89};
inline const QColor kKeyBottom{46, 49, 54};
inline const QColor kSymbol{224, 227, 231};
}  // namespace colour

// A picture of the given size in logical pixels, drawn at the given device
// pixel ratio so that it stays sharp on dense screens.
QImage NewPicture(QSize size, qreal pixelRatio, bool transparent = false);
QPixmap ToPixmap(const QImage& picture);

// Fills the rectangle with horizontally brushed metal of the base colour. The
// grain comes from the seed, so a picture is the same every time.
void BrushMetal(QImage& picture, const QRect& area, const QColor& base, quint32 seed);

// A one-pixel frame: light above and left, dark below and right (raised), or
// the other way round (sunken).
void DrawBevel(QPainter& painter, const QRectF& area, const QColor& topLeft, const QColor& bottomRight);

// A black display window sunk into the panel; `area` is its inside, the
// bevel is drawn around it.
void DrawWell(QPainter& painter, const QRect& area);

// A horizontal groove cut into the panel.
void DrawGroove(QPainter& painter, qreal left, qreal right, qreal y);

// A raised key cap filling the area, drawn lower and darker while held down.
void DrawKeyCap(QPainter& painter, const QRectF& area, bool down);

void DrawScrew(QPainter& painter, QPointF centre, qreal radius, qreal slotDegrees);

// A round lamp lens, lit or dark, in the given colour.
void DrawLamp(QPainter& painter, QPointF centre, qreal radius, const QColor& colour, bool lit);

// Sans-serif faces: narrow and bold for the printed captions, plain for the
// green display texts.
QFont CaptionFont(qreal pixelSize);
QFont DisplayFont(int pixelSize);

// A caption printed on the panel, centred in the area, with a faint dark
// shadow so that it stands off the brushed metal.
void DrawCaption(QPainter& painter, const QRectF& area, const QString& text, qreal pixelSize,
                 const QColor& colour = colour::kLabel);

}  // namespace voxnote::paint
