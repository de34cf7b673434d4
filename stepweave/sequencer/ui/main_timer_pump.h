#pragma once
// Serves the main thread's timers (step clocks, the kit's sweep, the streams'
// refills) from the window toolkit's event loop: one precise toolkit timer,
// armed for the moment the earliest of them is due, so the loop sleeps until
// then and never spins.
#include <QObject>
#include <QTimer>

namespace stepweave {

class TimerScheduler;

class MainTimerPump : public QObject {
public:
    explicit MainTimerPump(TimerScheduler& timers, QObject* parent = nullptr);
    ~MainTimerPump() override;

private:
    void Arm();
    void Fire();

    TimerScheduler& timers_;
    QTimer wake_;
};

}  // namespace stepweave
