#include "voxnote/app/ui/splash_window.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace voxnote {

SplashWindow::SplashWindow(const SkinArtwork& artwork)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), artwork_(artwork) {
    setFixedSize(kSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - kSize.width()) / 2, area.top() + (area.height() - kSize.height()) / 2);
    }
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(8, 8, 10));
    painter.drawPixmap(QPoint(1, 1), artwork_.Bitmap(SkinArtwork::kSplash));
}

void ShowSplash(const SkinArtwork& artwork, int milliseconds) {
    SplashWindow splash(artwork);
    splash.show();
    QEventLoop wait;
    QTimer::singleShot(milliseconds, &wait, &QEventLoop::quit);
    wait.exec();
}

}  // namespace voxnote
