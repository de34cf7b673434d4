#include "stepweave/sequencer/ui/intro_screen.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMediaPlayer>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>
#include <filesystem>

namespace stepweave {

namespace {

constexpr int kVideoWidth = 436;
constexpr int kVideoHeight = 210;

}  // namespace

IntroScreen::IntroScreen(const std::string& startDirectory, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
    setFixedSize(kWidth, kHeight);
    videoPanel = new QWidget(this);
    videoPanel->setObjectName("Panel1");
    videoView = new QVideoWidget(videoPanel);
    videoView->setObjectName("OleContainer1");
    videoView->setFixedSize(kVideoWidth, kVideoHeight);
    videoView->installEventFilter(this);
    auto* layout = new QVBoxLayout(videoPanel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(videoView, 0, Qt::AlignCenter);
    videoPanel->setGeometry(rect());
    closeTimer.setInterval(1000);
    connect(&closeTimer, &QTimer::timeout, this, &IntroScreen::CloseTimerTick);

    const std::filesystem::path video = std::filesystem::path(startDirectory) / kIntroVideoFileName;
    if (!std::filesystem::exists(video)) {
        return;  // no intro: the window is never shown
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
    mediaPlayer = new QMediaPlayer(this);
    mediaPlayer->setObjectName("MediaPlayer1");
    mediaPlayer->setVideoOutput(videoView);
    mediaPlayer->setSource(QUrl::fromLocalFile(QString::fromStdString(video.string())));
    mediaPlayer->play();
    ticks_ = 0;
    closeTimer.start();
}

void IntroScreen::CloseTimerTick() {
    if (++ticks_ >= kTicks) {
        Finish();
    }
}

void IntroScreen::Finish() {
    closeTimer.stop();
    if (mediaPlayer != nullptr) {
        mediaPlayer->stop();
    }
    hide();
}

void IntroScreen::keyPressEvent(QKeyEvent*) { Finish(); }

void IntroScreen::mousePressEvent(QMouseEvent*) { Finish(); }

bool IntroScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == videoView && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress)) {
        Finish();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace stepweave
