#pragma once
// The colours of the converter's dialogs: light grey with black text, and
// grey text on whatever is disabled, so a button that cannot be pressed
// looks it under every style.
#include <QPalette>

namespace voxnote {

QPalette DialogPalette(QPalette palette);

}  // namespace voxnote
