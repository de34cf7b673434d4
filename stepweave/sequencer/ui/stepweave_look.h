#pragma once
// stepweave's look: a dark studio palette with one warm accent, the colours
// the grid and the windows paint with, and the program's logo.
#include <QColor>
#include <QIcon>
#include <QPixmap>

class QApplication;

namespace stepweave::look {

inline const QColor kWindow{0x1d, 0x20, 0x25};
inline const QColor kPanel{0x26, 0x2a, 0x31};
inline const QColor kField{0x14, 0x16, 0x1a};
inline const QColor kGridLine{0x34, 0x39, 0x42};
inline const QColor kFixedCell{0x2c, 0x31, 0x39};
inline const QColor kBeatRow{0x1c, 0x1f, 0x24};
inline const QColor kStepRow{0x17, 0x19, 0x1d};
inline const QColor kText{0xe4, 0xe7, 0xeb};
inline const QColor kDimText{0x95, 0x9e, 0xa9};
inline const QColor kAccent{0xff, 0x8a, 0x3d};      // kit hits, the playhead
inline const QColor kSampleAccent{0x3d, 0xc8, 0xd8};  // user-sample hits
inline const QColor kSelection{0x4a, 0x7d, 0xff};

// Fusion with the dark palette, for every window of the program.
void ApplyTo(QApplication& application);

// The logo: a small step pattern, beside the program's name when there is
// room for it, on a transparent ground.
QPixmap Logo(int width, int height);

// The glyphs of the buttons, drawn in the palette's colours.
enum class Glyph { Play, Stop, Bin, ArrowRight, ArrowLeft };
QIcon GlyphIcon(Glyph glyph);

}  // namespace stepweave::look
