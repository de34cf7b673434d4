#include "stepweave/sequencer/ui/main_timer_pump.h"

#include "stepweave/sound/timing/timer_scheduler.h"

namespace stepweave {

MainTimerPump::MainTimerPump(TimerScheduler& timers, QObject* parent) : QObject(parent), timers_(timers) {
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    connect(&wake_, &QTimer::timeout, this, &MainTimerPump::Fire);
    // A timer started or changed from within a firing is armed once the firing is over.
    timers_.OnScheduleChanged = [this] { QMetaObject::invokeMethod(this, &MainTimerPump::Arm, Qt::QueuedConnection); };
    Arm();
}

MainTimerPump::~MainTimerPump() { timers_.OnScheduleChanged = nullptr; }

void MainTimerPump::Arm() {
    const std::optional<uint32_t> due = timers_.NextDue();
    if (!due) {
        wake_.stop();
        return;
    }
    const int32_t wait = static_cast<int32_t>(*due - timers_.Clock().Now());
    wake_.start(wait > 0 ? wait : 0);
}

void MainTimerPump::Fire() {
    timers_.RunDueTimers();
    Arm();
}

}  // namespace stepweave
