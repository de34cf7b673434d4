#pragma once
// IntroScreen: the intro video "Stepweave.avi" of the start folder, played
// in a borderless window over the main window at start. It closes after ten
// seconds, or at a key or mouse press. Without the file it never shows.
#include <QTimer>
#include <QWidget>
#include <string>

class QMediaPlayer;
class QVideoWidget;

namespace stepweave {

inline constexpr const char* kIntroVideoFileName = "Stepweave.avi";

class IntroScreen : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 452;
    static constexpr int kHeight = 231;
    static constexpr int kTicks = 10;

    IntroScreen(const std::string& startDirectory, QWidget* parent = nullptr);

    QWidget* videoPanel;
    QVideoWidget* videoView;
    QMediaPlayer* mediaPlayer = nullptr;
    QTimer closeTimer;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CloseTimerTick();
    void Finish();

    int ticks_ = 0;
};

}  // namespace stepweave
