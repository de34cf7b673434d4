#pragma once
// The pictures of the skinned main window, each drawn by our own code. The
// window asks SkinArtwork for them by name; these are the painters behind it.
#include <QPixmap>
#include <QPointF>
#include <QSize>
#include <string_view>

class QPainter;

namespace voxnote::pictures {

// Buttons ("MINIM_U", "CLOSE_D", ...), toggles ("STA_ON_U", "RHY_OF_D", ...)
// and the slider thumb "SLD_OF_U". A null pixmap for any other name.
QPixmap Key(std::string_view name, qreal pixelRatio);
QSize KeySize(std::string_view name);

// 139: the whole window, 199 x 346.
QPixmap Background(qreal pixelRatio);

// The meter area: 203 / 204 pitch panel (run active / stopped), 205 dark and
// 206, 207, 209 lit level segments, 235 dark and 236, 237 lit indicators,
// 226 / 227 note heads (on a line / in a space), 228 sharp.
QPixmap MeterPicture(int resource, qreal pixelRatio);
QSize MeterPictureSize(int resource);

// The program's name as a word mark, "vox" in metal and "note" in green,
// drawn with its baseline starting at the point.
void DrawTitleWordmark(QPainter& painter, QPointF baseline, qreal pixelSize);

// 128: the window icon, square, at the given size.
QPixmap Icon(int size);
// 146: the cursor over the drag band, 32 x 32 with its hot spot in the middle.
QPixmap DragCursor(qreal pixelRatio);
// 191: the splash picture, 226 x 158 (its window is 228 x 160).
QPixmap Splash(qreal pixelRatio);
// 192: the about box picture.
QPixmap About(qreal pixelRatio);

}  // namespace voxnote::pictures
