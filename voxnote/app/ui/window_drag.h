#pragma once
#include <QPoint>
#include <QWidget>
#include <memory>

namespace voxnote {

// Moves a frameless window with the mouse: while the button is held a
// two-pixel outline of the window follows the mouse; on release the outline
// goes and the window moves by the mouse's travel. Where the display server
// does not let programs place windows (Wayland), the server moves it instead.
class WindowDrag {
public:
    explicit WindowDrag(QWidget& window) : window_(window) {}

    void Begin(QPoint globalMouse);
    void Follow(QPoint globalMouse);
    void End(QPoint globalMouse);
    bool IsActive() const { return active_; }
    // The outline while a drag is on (for tests and screenshots), else null.
    const QWidget* Outline() const { return outline_.get(); }

private:
    QWidget& window_;
    bool active_ = false;
    QPoint startMouse_;
    QPoint startWindow_;
    std::unique_ptr<QWidget> outline_;
};

}  // namespace voxnote
