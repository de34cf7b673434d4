#include "voxnote/app/ui/dialog_colours.h"

namespace voxnote {

QPalette DialogPalette(QPalette palette) {
    const QColor grey(192, 192, 192);
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Button}) {
        palette.setColor(role, grey);
    }
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText}) {
        palette.setColor(role, Qt::black);
    }
    // Setting a role sets it for every state; the disabled state gets its
    // own grey text again, with the light edge of an etched caption.
    const QColor disabledText(128, 128, 128);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(QPalette::Disabled, role, disabledText);
    }
    palette.setColor(QPalette::Disabled, QPalette::Light, Qt::white);
    return palette;
}

}  // namespace voxnote
