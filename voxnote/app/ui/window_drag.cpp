#include "voxnote/app/ui/window_drag.h"

#include <QGuiApplication>
#include <QPainter>
#include <QRegion>
#include <QWindow>

namespace voxnote {

namespace {

constexpr int kOutlineWidth = 2;

// A see-through frame of the window's size, drawn in a fine black and white
// check so that it shows on any background.
class DragOutline : public QWidget {
public:
    explicit DragOutline(QSize size)
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        resize(size);
        const QRegion whole(rect());
        setMask(whole.subtracted(QRegion(rect().adjusted(kOutlineWidth, kOutlineWidth, -kOutlineWidth,
                                                         -kOutlineWidth))));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.fillRect(rect(), QBrush(Qt::black, Qt::Dense4Pattern));
    }
};

bool ServerPlacesWindows() { return QGuiApplication::platformName().startsWith("wayland"); }

}  // namespace

void WindowDrag::Begin(QPoint globalMouse) {
    if (ServerPlacesWindows() && window_.windowHandle() != nullptr && window_.windowHandle()->startSystemMove()) {
        return;
    }
    active_ = true;
    startMouse_ = globalMouse;
    startWindow_ = window_.frameGeometry().topLeft();
    outline_ = std::make_unique<DragOutline>(window_.frameGeometry().size());
    outline_->move(startWindow_);
    outline_->show();
}

void WindowDrag::Follow(QPoint globalMouse) {
    if (active_) {
        outline_->move(startWindow_ + (globalMouse - startMouse_));
    }
}

void WindowDrag::End(QPoint globalMouse) {
    if (!active_) {
        return;
    }
    active_ = false;
    outline_.reset();
    window_.move(startWindow_ + (globalMouse - startMouse_));
}

}  // namespace voxnote
