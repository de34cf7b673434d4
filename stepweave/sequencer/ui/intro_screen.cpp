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
    Panel1 = new QWidget(this);
    OleContainer1 = new QVideoWidget(Panel1);
    OleContainer1->setFixedSize(kVideoWidth, kVideoHeight);
    OleContainer1->installEventFilter(this);
    auto* layout = new QVBoxLayout(Panel1);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(OleContainer1, 0, Qt::AlignCenter);
    Panel1->setGeometry(rect());
    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &IntroScreen::Timer1Timer);

    const std::filesystem::path video = std::filesystem::path(startDirectory) / kIntroVideoFileName;
    if (!std::filesystem::exists(video)) {
        return;  // no intro: the window is never shown
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
    MediaPlayer1 = new QMediaPlayer(this);
    MediaPlayer1->setVideoOutput(OleContainer1);
    MediaPlayer1->setSource(QUrl::fromLocalFile(QString::fromStdString(video.string())));
    MediaPlayer1->play();
    ticks_ = 0;
    Timer1.start();
}

void IntroScreen::Timer1Timer() {
    if (++ticks_ >= kTicks) {
        Finish();
    }
}

void IntroScreen::Finish() {
    Timer1.stop();
    if (MediaPlayer1 != nullptr) {
        MediaPlayer1->stop();
    }
    hide();
}

void IntroScreen::keyPressEvent(QKeyEvent*) { Finish(); }

void IntroScreen::mousePressEvent(QMouseEvent*) { Finish(); }

bool IntroScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == OleContainer1 && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress)) {
        Finish();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace stepweave
