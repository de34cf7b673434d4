// The main window driven with the mouse as a user would.
#include "voxnote/app/ui/main_dialog.h"

#include <QSignalSpy>
#include <QtTest>

#include "voxnote/app/main_window_layout.h"

using namespace voxnote;

namespace {

QPoint Centre(const SkinControl& control) {
    const SkinRect r = control.GetBoundingRect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

QPoint ThumbCentre(const SkinSlider& slider) {
    const SkinRect r = slider.ThumbRect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void Click(QWidget& window, QPoint point) {
    QTest::mousePress(&window, Qt::LeftButton, {}, point);
    QTest::mouseRelease(&window, Qt::LeftButton, {}, point);
}

void Drag(QWidget& window, QPoint from, QPoint to) {
    QTest::mousePress(&window, Qt::LeftButton, {}, from);
    QTest::mouseMove(&window, to);
    QTest::mouseRelease(&window, Qt::LeftButton, {}, to);
}

// A double click as the window system delivers it: press, release, press,
// double click, release.
void DoubleClick(QWidget& window, QPoint point) {
    Click(window, point);
    QTest::mousePress(&window, Qt::LeftButton, {}, point);
    QTest::mouseDClick(&window, Qt::LeftButton, {}, point);
    QTest::mouseRelease(&window, Qt::LeftButton, {}, point);
}

bool IsBrightGreen(QRgb pixel) { return qGreen(pixel) > 200 && qRed(pixel) < 120 && qBlue(pixel) < 120; }

}  // namespace

class MainDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void releaseOutsideAControlIsNoClick();
    void lockedControlIgnoresTheMouseUntilUnlocked();
    void pressOnASliderValueLabelFallsOnNoControl();
    void slidersClampAtBothEndsOfTheirTracks();
    void titleBandPressMovesTheWindowByTheMousesTravel();
    void pressBelowTheBandOrOnABandControlDoesNotDrag();
    void dragCursorShowsOnlyOverTheBandsBareMetal();
    void shrinkToggleRollsTheWindowUpAndDown();
    void autoShrinkFollowsTheFocus();
    void minimiseAndCloseButtons();
    void clicksReachTheirHandlersByControl();
    void upDownButtonsActAtOnceAndRepeatWhileHeld();
    void doubleClicksOnTheMeterAndTheNoteFields();
    void meterAreaDrawsTheLevelBarAndTheNote();

private:
    std::unique_ptr<MainDialog> window;
};

void MainDialogTest::init() {
    window = std::make_unique<MainDialog>();
    window->move(100, 100);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void MainDialogTest::cleanup() { window.reset(); }

void MainDialogTest::releaseOutsideAControlIsNoClick() {
    QSignalSpy toggled(window.get(), &MainDialog::rhythmModeToggled);
    const QPoint on = Centre(*window->RhythmToggle);
    QTest::mousePress(window.get(), Qt::LeftButton, {}, on);
    QCOMPARE(window->RhythmToggle->CurrentBitmapName(), std::string("RHY_OF_D"));
    QTest::mouseMove(window.get(), QPoint(150, 150));
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(150, 150));
    QCOMPARE(toggled.count(), 0);
    QVERIFY(!window->RhythmToggle->IsOn());
    QCOMPARE(window->RhythmToggle->CurrentBitmapName(), std::string("RHY_OF_U"));

    // Pressed on the preset field, released on the button: no click either.
    QSignalSpy presets(window.get(), &MainDialog::presetsRequested);
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(120, 270));
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, Centre(*window->PresetButton));
    QCOMPARE(presets.count(), 0);

    Click(*window, on);
    QCOMPARE(toggled.count(), 1);
    QCOMPARE(toggled.at(0).at(0).toBool(), true);
}

void MainDialogTest::lockedControlIgnoresTheMouseUntilUnlocked() {
    const QPoint shrink = Centre(*window->ShrinkToggle);
    window->ShrinkToggle->SetStateAndLock(0);
    Click(*window, shrink);
    QCOMPARE(window->height(), 346);
    QVERIFY(!window->IsDragging());  // a locked control still is no bare band

    QSignalSpy setup(window.get(), &MainDialog::setupRequested);
    window->SetupButton->SetStateAndLock(0);
    Click(*window, Centre(*window->SetupButton));
    QCOMPARE(setup.count(), 0);

    window->ShrinkToggle->SetStateAndUnlock(0);
    window->SetupButton->SetStateAndUnlock(0);
    Click(*window, shrink);
    QCOMPARE(window->height(), 33);
    Click(*window, shrink);
    Click(*window, Centre(*window->SetupButton));
    QCOMPARE(setup.count(), 1);
}

void MainDialogTest::pressOnASliderValueLabelFallsOnNoControl() {
    QSignalSpy changed(window.get(), &MainDialog::gapRatioChanged);
    const SkinRect label = window->GapRatioSlider->ValueLabel().GetBoundingRect();
    const QPoint onLabel((label.left + label.right) / 2, (label.top + label.bottom) / 2);
    QTest::mousePress(window.get(), Qt::LeftButton, {}, onLabel);
    QVERIFY(window->ControlSet().LastPressHitNothing());
    QCOMPARE(window->ControlSet().CurrentControl(), nullptr);
    QVERIFY(!window->IsDragging());
    QTest::mouseMove(window.get(), QPoint(onLabel.x(), 180));
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(onLabel.x(), 180));
    QCOMPARE(window->GapRatio(), 16);
    QCOMPARE(changed.count(), 0);
}

void MainDialogTest::slidersClampAtBothEndsOfTheirTracks() {
    struct Case {
        SkinSlider* slider;
        int reachableMaximum;
    };
    // Thumb 10 pixels high on a 112-pixel track: the bottom gives 102 * max / 112.
    for (const Case& c : {Case{window->InputVolumeSlider.get(), 62}, Case{window->GapRatioSlider.get(), 31},
                          Case{window->NoteStopRatioSlider.get(), 20}}) {
        Drag(*window, ThumbCentre(*c.slider), QPoint(-50, -300));  // far beyond the window's top left
        QCOMPARE(c.slider->GetValue(), 0);
        QCOMPARE(c.slider->ThumbRect().top, 76);
        Drag(*window, ThumbCentre(*c.slider), QPoint(400, 900));
        QCOMPARE(c.slider->GetValue(), c.reachableMaximum);
        QCOMPARE(c.slider->ThumbRect().bottom, 76 + 112);
        QCOMPARE(c.slider->ValueLabel().GetState(), c.reachableMaximum);
    }
    QCOMPARE(window->InputVolume(), 62);

    QSignalSpy changed(window.get(), &MainDialog::inputVolumeChanged);
    Drag(*window, ThumbCentre(*window->InputVolumeSlider), QPoint(90, 76));
    QVERIFY(!changed.isEmpty());
    QCOMPARE(changed.last().at(0).toInt(), 0);
}

void MainDialogTest::titleBandPressMovesTheWindowByTheMousesTravel() {
    const QPoint start = window->pos();
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(40, 31));
    QVERIFY(window->IsDragging());
    QVERIFY(window->DragOutline() != nullptr);
    QCOMPARE(window->DragOutline()->geometry(), window->geometry());
    QTest::mouseMove(window.get(), QPoint(70, 71));
    QCOMPARE(window->pos(), start);  // only the outline follows while the button is held
    QCOMPARE(window->DragOutline()->pos(), start + QPoint(30, 40));
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(70, 71));
    QVERIFY(!window->IsDragging());
    QCOMPARE(window->DragOutline(), nullptr);
    QCOMPARE(window->pos(), start + QPoint(30, 40));
    QCOMPARE(window->size(), QSize(199, 346));
}

void MainDialogTest::pressBelowTheBandOrOnABandControlDoesNotDrag() {
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(40, 32));
    QVERIFY(window->ControlSet().LastPressHitNothing());
    QVERIFY(!window->IsDragging());
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(40, 32));

    const QPoint start = window->pos();
    QTest::mousePress(window.get(), Qt::LeftButton, {}, Centre(*window->StartToggle));
    QVERIFY(!window->IsDragging());
    QTest::mouseMove(window.get(), QPoint(60, 60));
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(60, 60));
    QCOMPARE(window->pos(), start);
    QVERIFY(!window->StartToggle->IsOn());
}

void MainDialogTest::dragCursorShowsOnlyOverTheBandsBareMetal() {
    QTest::mouseMove(window.get(), QPoint(40, 10));
    QCOMPARE(window->cursor().shape(), Qt::BitmapCursor);
    QTest::mouseMove(window.get(), Centre(*window->CloseButton));
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(window.get(), QPoint(40, 31));
    QCOMPARE(window->cursor().shape(), Qt::BitmapCursor);
    QTest::mouseMove(window.get(), QPoint(40, 32));
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
}

void MainDialogTest::shrinkToggleRollsTheWindowUpAndDown() {
    const QPoint topLeft = window->pos();
    Click(*window, Centre(*window->ShrinkToggle));
    QCOMPARE(window->size(), QSize(199, 33));
    QVERIFY(window->IsShrunk());
    QCOMPARE(window->ShrinkToggle->CurrentBitmapName(), std::string("RED_ON_U"));
    QCOMPARE(window->pos(), topLeft);
    Click(*window, Centre(*window->ShrinkToggle));
    QCOMPARE(window->size(), QSize(199, 346));
    QCOMPARE(window->pos(), topLeft);
}

void MainDialogTest::autoShrinkFollowsTheFocus() {
    QEvent deactivate(QEvent::WindowDeactivate);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window.get(), &deactivate);
    QCOMPARE(window->height(), 346);  // Auto Shrink is off

    window->SetAutoShrink(true);
    QApplication::sendEvent(window.get(), &deactivate);
    QCOMPARE(window->height(), 33);
    QApplication::sendEvent(window.get(), &activate);
    QCOMPARE(window->height(), 346);
    // The click that brought the window back only puts the toggle right ...
    Click(*window, Centre(*window->ShrinkToggle));
    QCOMPARE(window->height(), 346);
    QVERIFY(!window->ShrinkToggle->IsOn());
    // ... the next one rolls it up.
    Click(*window, Centre(*window->ShrinkToggle));
    QCOMPARE(window->height(), 33);
    Click(*window, Centre(*window->ShrinkToggle));

    // Coming back with a click elsewhere leaves the toggle working at once.
    QApplication::sendEvent(window.get(), &deactivate);
    QApplication::sendEvent(window.get(), &activate);
    Click(*window, QPoint(120, 120));
    Click(*window, Centre(*window->ShrinkToggle));
    QCOMPARE(window->height(), 33);
}

void MainDialogTest::minimiseAndCloseButtons() {
    Click(*window, Centre(*window->MinimiseButton));
    QVERIFY(window->windowState() & Qt::WindowMinimized);
    window->showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    Click(*window, Centre(*window->CloseButton));
    QVERIFY(!window->isVisible());
}

void MainDialogTest::clicksReachTheirHandlersByControl() {
    QSignalSpy startStop(window.get(), &MainDialog::startStopRequested);
    QSignalSpy mixer(window.get(), &MainDialog::mixerRequested);
    QSignalSpy wave(window.get(), &MainDialog::waveFileRequested);
    QSignalSpy setup(window.get(), &MainDialog::setupRequested);
    QSignalSpy presets(window.get(), &MainDialog::presetsRequested);
    Click(*window, Centre(*window->StartToggle));
    QVERIFY(window->StartToggle->IsOn());
    Click(*window, Centre(*window->MixerButton));
    Click(*window, Centre(*window->WaveButton));
    Click(*window, Centre(*window->SetupButton));
    Click(*window, Centre(*window->PresetButton));
    Click(*window, Centre(*window->PresetButton));
    QCOMPARE(startStop.count(), 1);
    QCOMPARE(mixer.count(), 1);
    QCOMPARE(wave.count(), 1);
    QCOMPARE(setup.count(), 1);
    QCOMPARE(presets.count(), 2);
}

void MainDialogTest::upDownButtonsActAtOnceAndRepeatWhileHeld() {
    QSignalSpy scale(window.get(), &MainDialog::scaleChanged);
    QTest::mousePress(window.get(), Qt::LeftButton, {}, Centre(*window->ScaleUpButton));
    QCOMPARE(window->Scale(), 0);  // 12 wraps to 0 at once
    QVERIFY(window->StepRepeatTimer().isActive());
    QVERIFY(QTest::qWaitFor([&] { return window->Scale() >= 2; }, 5000));
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, Centre(*window->ScaleUpButton));
    QVERIFY(!window->StepRepeatTimer().isActive());
    QCOMPARE(scale.count(), window->Scale() + 1);

    // Held outside the button it keeps repeating; letting go anywhere stops it.
    window->SetNoteRange({101, 33});
    QSignalSpy range(window.get(), &MainDialog::noteRangeChanged);
    QTest::mousePress(window.get(), Qt::LeftButton, {}, Centre(*window->MaximumNoteUpButton));
    QCOMPARE(window->CurrentNoteRange().maximum, 101);  // already at the top
    QCOMPARE(range.count(), 0);
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(150, 150));
    QVERIFY(!window->StepRepeatTimer().isActive());

    Click(*window, Centre(*window->MinimumNoteDownButton));
    Click(*window, Centre(*window->MaximumNoteDownButton));
    QCOMPARE(window->CurrentNoteRange().minimum, 32);
    QCOMPARE(window->CurrentNoteRange().maximum, 100);
    QCOMPARE(range.count(), 2);
    QCOMPARE(range.last().at(0).toInt(), 100);
    QCOMPARE(range.last().at(1).toInt(), 32);

    window->SetScale(0);
    Click(*window, Centre(*window->ScaleDownButton));
    QCOMPARE(window->Scale(), 12);
}

void MainDialogTest::doubleClicksOnTheMeterAndTheNoteFields() {
    DoubleClick(*window, QPoint(37, 120));
    QCOMPARE(window->CurrentDisplayMode(), MainDialog::DisplayMode::Pitch);
    DoubleClick(*window, QPoint(37, 120));
    QCOMPARE(window->CurrentDisplayMode(), MainDialog::DisplayMode::Volume);

    QSignalSpy learn(window.get(), &MainDialog::noteLearnRequested);
    DoubleClick(*window, QPoint(25, 230));
    DoubleClick(*window, QPoint(25, 270));
    QCOMPARE(learn.count(), 2);
    QCOMPARE(learn.at(0).at(0).toBool(), true);
    QCOMPARE(learn.at(1).at(0).toBool(), false);

    // On a control a double click is two clicks.
    window->SetScale(3);
    DoubleClick(*window, Centre(*window->ScaleUpButton));
    QCOMPARE(window->Scale(), 5);
    QSignalSpy mixer(window.get(), &MainDialog::mixerRequested);
    DoubleClick(*window, Centre(*window->MixerButton));
    QCOMPARE(mixer.count(), 2);
    QCOMPARE(window->CurrentDisplayMode(), MainDialog::DisplayMode::Volume);
}

void MainDialogTest::meterAreaDrawsTheLevelBarAndTheNote() {
    window->ShowLevel(60, false, false, true);  // 13 segments lit
    QImage shot = window->grab().toImage();
    auto segmentMiddle = [](int segment) { return QPoint(37, 177 - 4 * segment + 1); };
    QVERIFY(qRed(shot.pixel(segmentMiddle(12))) > 150);   // yellow
    QVERIFY(qGreen(shot.pixel(segmentMiddle(12))) > 150);
    QVERIFY(qGreen(shot.pixel(segmentMiddle(13))) < 80);  // dark
    QVERIFY(IsBrightGreen(shot.pixel(segmentMiddle(0))));

    window->SetDisplayMode(MainDialog::DisplayMode::Pitch);
    window->SetRunActive(true);
    window->ShowNote(61);  // C#5: on the C (21 naturals up), with a sharp
    shot = window->grab().toImage();
    const int headTop = 189 - 3 * 21;
    QVERIFY(IsBrightGreen(shot.pixel(45, headTop + 3)));
    QVERIFY(IsBrightGreen(shot.pixel(34, headTop + 2)));  // the sharp's left stroke
    window->ShowNote(std::nullopt);
    shot = window->grab().toImage();
    QVERIFY(!IsBrightGreen(shot.pixel(45, headTop + 3)));
}

QTEST_MAIN(MainDialogTest)
#include "main_dialog_test.moc"
