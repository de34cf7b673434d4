// The main window driven with the mouse as a user would: its controls, the
// settings they change and the analysis values those give.
#include "voxnote/app/ui/main_dialog.h"

#include <QtTest>

#include "tests/voxnote/app/ui/window_test_support.h"
#include "tests/support/voxnote/manual_audio_input.h"
#include "voxnote/app/display/main_window_layout.h"

using namespace voxnote;
using namespace voxnote::test;

class MainDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsWithTheStartUpSettingsAndWritesDefault();
    void releaseOutsideAControlIsNoClick();
    void lockedControlIgnoresTheMouseUntilUnlocked();
    void pressOnASliderValueLabelFallsOnNoControl();
    void slidersSetTheAnalysisValuesAndClampAtBothEnds();
    void titleBandPressMovesTheWindowByTheMousesTravel();
    void pressBelowTheBandOrOnABandControlDoesNotDrag();
    void dragCursorShowsOnlyOverTheBandsBareMetal();
    void shrinkToggleRollsTheWindowUpAndDown();
    void autoShrinkFollowsTheFocus();
    void minimiseAndCloseButtons();
    void upDownButtonsActAtOnceAndRepeatWhileHeld();
    void noteRangeButtonsKeepTheRangeInItsBounds();
    void scaleButtonsWrapAndSetTheScaleLock();
    void quickClicksOnButtonsAndTogglesCountEveryClick();
    void rhythmToggleSwitchesConstantNoteAndStoresTheSystemSettings();
    void doubleClicksOnTheMeterToggleTheDisplayMode();
    void meterAreaDrawsTheLevelBarAndTheNote();
    void alwaysOnTopIsAppliedAndStoredAtEveryChange();
    void waveButtonClearsTheWayForTheWavDialog();
    void aDamagedLastUsedPresetStartsWithARangeTheButtonsCanMove();

private:
    void OpenWindow();

    std::unique_ptr<QTemporaryDir> folder;
    QString iniPath;
    ScriptedPrompt prompt;
    TestMidiDevices midiDevices;
    ManualAudioInput* input = nullptr;
    std::unique_ptr<WindowUnderTest> window;
};

void MainDialogTest::init() {
    folder = std::make_unique<QTemporaryDir>();
    iniPath = folder->filePath("voxnote.ini");
    prompt = ScriptedPrompt();
    OpenWindow();
}

void MainDialogTest::OpenWindow() {
    MainDialogServices services;
    services.profilePath = iniPath.toStdString();
    services.prompt = &prompt;
    services.midiDevices = &midiDevices;
    auto manual = std::make_unique<ManualAudioInput>();
    input = manual.get();
    services.audioInput = std::move(manual);
    window = std::make_unique<WindowUnderTest>(std::move(services));
    window->move(100, 100);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void MainDialogTest::cleanup() {
    window.reset();
    QVERIFY2(prompt.unexpected.empty(), prompt.Unexpected().c_str());
}

// The session starts with the start-up values; the sliders show them.
void MainDialogTest::startsWithTheStartUpSettingsAndWritesDefault() {
    QVERIFY(!window->InitFailed());
    QCOMPARE(window->PresetName(), QString("Default"));
    QCOMPARE(window->InputVolume(), 13);
    QCOMPARE(window->GapRatio(), 16);
    QCOMPARE(window->NoteStopRatio(), 10);
    QVERIFY(prompt.answers.empty());
}

void MainDialogTest::releaseOutsideAControlIsNoClick() {
    const QPoint on = Centre(*window->RhythmToggle);
    QTest::mousePress(window.get(), Qt::LeftButton, {}, on);
    QCOMPARE(window->RhythmToggle->CurrentBitmapName(), std::string("RHY_OF_D"));
    QTest::mouseMove(window.get(), QPoint(150, 150));
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(150, 150));
    QVERIFY(!window->RhythmToggle->IsOn());
    QVERIFY(!window->Settings().RhythmMode());
    QCOMPARE(window->RhythmToggle->CurrentBitmapName(), std::string("RHY_OF_U"));

    // Pressed on the preset field, released on the button: no click either.
    bool dialogOpened = false;
    WhenModalOpens<QDialog>([&](QDialog& dialog) {
        dialogOpened = true;
        dialog.reject();
    });
    QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(120, 270));
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, Centre(*window->PresetButton));
    QTest::qWait(50);
    QVERIFY(!dialogOpened);

    Click(*window, on);
    QVERIFY(window->RhythmToggle->IsOn());
    QVERIFY(window->Settings().RhythmMode());
}

void MainDialogTest::lockedControlIgnoresTheMouseUntilUnlocked() {
    const QPoint shrink = Centre(*window->ShrinkToggle);
    window->ShrinkToggle->SetStateAndLock(0);
    Click(*window, shrink);
    QCOMPARE(window->height(), 346);
    QVERIFY(!window->IsDragging());  // a locked control still is no bare band

    window->SetupButton->SetStateAndLock(0);
    Click(*window, *window->SetupButton);
    QVERIFY(window->OpenSetupDialog() == nullptr);

    window->ShrinkToggle->SetStateAndUnlock(0);
    window->SetupButton->SetStateAndUnlock(0);
    Click(*window, shrink);
    QCOMPARE(window->height(), 33);
    Click(*window, shrink);
    Click(*window, *window->SetupButton);
    QVERIFY(window->OpenSetupDialog() != nullptr);
    window->OpenSetupDialog()->close();
}

void MainDialogTest::pressOnASliderValueLabelFallsOnNoControl() {
    const SkinRect label = window->GapRatioSlider->ValueLabel().GetBoundingRect();
    const QPoint onLabel((label.left + label.right) / 2, (label.top + label.bottom) / 2);
    QTest::mousePress(window.get(), Qt::LeftButton, {}, onLabel);
    QVERIFY(window->ControlSet().LastPressHitNothing());
    QCOMPARE(window->ControlSet().CurrentControl(), nullptr);
    QVERIFY(!window->IsDragging());
    QTest::mouseMove(window.get(), QPoint(onLabel.x(), 180));
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(onLabel.x(), 180));
    QCOMPARE(window->GapRatio(), 16);
    QCOMPARE(window->Settings().Detector().Header().reattackGap, 80u);
}

void MainDialogTest::slidersSetTheAnalysisValuesAndClampAtBothEnds() {
    struct Case {
        SkinSlider* slider;
        int reachableMaximum;
    };
    // Thumb 10 pixels high on a 112-pixel track: the bottom gives 102 * max / 112.
    for (const Case& c : {Case{window->InputVolumeSlider, 62}, Case{window->GapRatioSlider, 31},
                          Case{window->NoteStopRatioSlider, 20}}) {
        Drag(*window, ThumbCentre(*c.slider), QPoint(-50, -300));  // far beyond the window's top left
        QCOMPARE(c.slider->GetValue(), 0);
        QCOMPARE(c.slider->ThumbRect().top, 76);
        Drag(*window, ThumbCentre(*c.slider), QPoint(400, 900));
        QCOMPARE(c.slider->GetValue(), c.reachableMaximum);
        QCOMPARE(c.slider->ThumbRect().bottom, 76 + 112);
        QCOMPARE(c.slider->ValueLabel().GetState(), c.reachableMaximum);
    }
    const DetectorHeaderSettings& header = window->Settings().Detector().Header();
    QCOMPARE(header.inputThreshold, 8u * 62 + 350);
    QCOMPARE(header.reattackGap, 5u * 31);
    QCOMPARE(header.releaseDrop, 10u * 20 + 100);

    Drag(*window, ThumbCentre(*window->InputVolumeSlider), QPoint(90, 76));
    QCOMPARE(window->InputVolume(), 0);
    QCOMPARE(header.inputThreshold, 350u);
    QCOMPARE(window->Settings().Detector().Values().inputVolume, 0);
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
    QVERIFY(!window->IsRunActive());
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
    Click(*window, *window->ShrinkToggle);
    QCOMPARE(window->size(), QSize(199, 33));
    QVERIFY(window->IsShrunk());
    QCOMPARE(window->ShrinkToggle->CurrentBitmapName(), std::string("RED_ON_U"));
    QCOMPARE(window->pos(), topLeft);
    Click(*window, *window->ShrinkToggle);
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
    Click(*window, *window->ShrinkToggle);
    QCOMPARE(window->height(), 346);
    QVERIFY(!window->ShrinkToggle->IsOn());
    // ... the next one rolls it up.
    Click(*window, *window->ShrinkToggle);
    QCOMPARE(window->height(), 33);
    Click(*window, *window->ShrinkToggle);

    // Coming back with a click elsewhere leaves the toggle working at once.
    QApplication::sendEvent(window.get(), &deactivate);
    QApplication::sendEvent(window.get(), &activate);
    Click(*window, QPoint(120, 120));
    Click(*window, *window->ShrinkToggle);
    QCOMPARE(window->height(), 33);
    Click(*window, *window->ShrinkToggle);

    // A dialog of the window suspends it while it is open.
    window->SuspendAutoShrink();
    QApplication::sendEvent(window.get(), &deactivate);
    QCOMPARE(window->height(), 346);
    window->RestoreAutoShrink();
    QApplication::sendEvent(window.get(), &deactivate);
    QCOMPARE(window->height(), 33);
}

void MainDialogTest::minimiseAndCloseButtons() {
    Click(*window, *window->MinimiseButton);
    QVERIFY(window->windowState() & Qt::WindowMinimized);
    window->showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    // Closing stores the system settings.
    QFile::remove(iniPath);
    Click(*window, *window->CloseButton);
    QVERIFY(!window->isVisible());
    const QString ini = ReadFile(iniPath);
    QCOMPARE(IniValue(ini, "System Settings", "Always On Top"), QString("1"));
    QCOMPARE(IniValue(ini, "System Settings", "MIDI Voice"), QString("0"));
}

void MainDialogTest::upDownButtonsActAtOnceAndRepeatWhileHeld() {
    QTest::mousePress(window.get(), Qt::LeftButton, {}, Centre(*window->ScaleUpButton));
    QCOMPARE(window->Scale(), 0);  // 12 wraps to 0 at once
    QVERIFY(window->StepRepeatTimer().isActive());
    QVERIFY(QTest::qWaitFor([&] { return window->Scale() >= 2; }, 5000));
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, Centre(*window->ScaleUpButton));
    QVERIFY(!window->StepRepeatTimer().isActive());
    const int scale = window->Scale();
    QTest::qWait(250);
    QCOMPARE(window->Scale(), scale);

    // Held outside the button it keeps repeating; letting go anywhere stops it.
    QTest::mousePress(window.get(), Qt::LeftButton, {}, Centre(*window->MaximumNoteUpButton));
    QCOMPARE(window->CurrentNoteRange().maximum, 101);  // already at the top
    QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(150, 150));
    QVERIFY(!window->StepRepeatTimer().isActive());

    Click(*window, *window->MinimumNoteDownButton);
    Click(*window, *window->MaximumNoteDownButton);
    QCOMPARE(window->CurrentNoteRange().minimum, 32);
    QCOMPARE(window->CurrentNoteRange().maximum, 100);
    QCOMPARE(int(window->Settings().Detector().Header().minimumNote), 32);
    QCOMPARE(int(window->Settings().Detector().Header().maximumNote), 100);
}

void MainDialogTest::noteRangeButtonsKeepTheRangeInItsBounds() {
    window->SetNoteRange({40, 38});
    for (int i = 0; i < 5; ++i) {
        Click(*window, *window->MaximumNoteDownButton);
        Click(*window, *window->MinimumNoteUpButton);
    }
    QCOMPARE(window->CurrentNoteRange().maximum, 39);  // Minimum Note + 1
    QCOMPARE(window->CurrentNoteRange().minimum, 38);

    window->SetNoteRange({101, 99});
    for (int i = 0; i < 5; ++i) {
        Click(*window, *window->MinimumNoteUpButton);
        Click(*window, *window->MaximumNoteUpButton);
    }
    QCOMPARE(window->CurrentNoteRange().minimum, 100);
    QCOMPARE(window->CurrentNoteRange().maximum, 101);

    window->SetNoteRange({26, 24});
    Click(*window, *window->MinimumNoteDownButton);
    QCOMPARE(window->CurrentNoteRange().minimum, 24);
    Click(*window, *window->MaximumNoteDownButton);
    QCOMPARE(window->CurrentNoteRange().maximum, 25);
    Click(*window, *window->MaximumNoteDownButton);
    QCOMPARE(window->CurrentNoteRange().maximum, 25);  // never below 25
    QCOMPARE(int(window->Settings().Detector().Header().maximumNote), 25);

    // The fields show the notes by name.
    window->SetNoteRange({61, 60});
    const QImage shot = window->grab().toImage();
    QVERIFY(CountPixels(shot, QRect(14, 224, 30, 20), IsBrightGreen) > 10);
}

void MainDialogTest::scaleButtonsWrapAndSetTheScaleLock() {
    window->SetScale(0);
    Click(*window, *window->ScaleDownButton);
    QCOMPARE(window->Scale(), 12);
    QCOMPARE(int(window->Settings().Detector().Values().lockToScaleOn), 0);
    Click(*window, *window->ScaleUpButton);
    QCOMPARE(window->Scale(), 0);
    QCOMPARE(int(window->Settings().Detector().Values().lockToScaleOn), 1);
    QCOMPARE(int(window->Settings().Detector().Header().scale), 0);

    // On a control a double click is two clicks.
    window->SetScale(3);
    DoubleClick(*window, Centre(*window->ScaleUpButton));
    QCOMPARE(window->Scale(), 5);
}

// Clicks 200 ms apart arrive with every second press as a double click.
void MainDialogTest::quickClicksOnButtonsAndTogglesCountEveryClick() {
    window->SetScale(12);
    QuickClicks(*window, Centre(*window->ScaleUpButton), 6);
    QCOMPARE(window->Scale(), 5);

    window->SetNoteRange({101, 33});
    QuickClicks(*window, Centre(*window->MinimumNoteDownButton), 12);
    QCOMPARE(window->CurrentNoteRange().minimum, 24);  // A2 down to C2, where it stops
    QuickClicks(*window, Centre(*window->MaximumNoteDownButton), 5);
    QCOMPARE(window->CurrentNoteRange().maximum, 96);

    QVERIFY(!window->RhythmToggle->IsOn());
    QuickClicks(*window, Centre(*window->RhythmToggle), 3);
    QVERIFY(window->RhythmToggle->IsOn());
    QCOMPARE(int(window->Settings().Detector().Header().constantNote), 60);
    QuickClicks(*window, Centre(*window->RhythmToggle), 2);
    QVERIFY(window->RhythmToggle->IsOn());

    // On the background a double click is still a double click.
    QCOMPARE(window->CurrentDisplayMode(), MainDialog::DisplayMode::Volume);
    QuickClicks(*window, QPoint(37, 120), 2);
    QCOMPARE(window->CurrentDisplayMode(), MainDialog::DisplayMode::Pitch);
}

void MainDialogTest::rhythmToggleSwitchesConstantNoteAndStoresTheSystemSettings() {
    QFile::remove(iniPath);
    Click(*window, *window->RhythmToggle);
    QCOMPARE(int(window->Settings().Detector().Header().constantNote), 60);
    QCOMPARE(IniValue(ReadFile(iniPath), "System Settings", "Auto Shrink"), QString("0"));
    window->Settings().SetRhythmNote(38);
    QCOMPARE(int(window->Settings().Detector().Header().constantNote), 38);
    Click(*window, *window->RhythmToggle);
    QVERIFY(!window->RhythmToggle->IsOn());
    QCOMPARE(int(window->Settings().Detector().Header().constantNote), -1);
    // The next toggle uses the rhythm note it was left at.
    Click(*window, *window->RhythmToggle);
    QCOMPARE(int(window->Settings().Detector().Header().constantNote), 38);
}

void MainDialogTest::doubleClicksOnTheMeterToggleTheDisplayMode() {
    DoubleClick(*window, QPoint(37, 120));
    QCOMPARE(window->CurrentDisplayMode(), MainDialog::DisplayMode::Pitch);
    DoubleClick(*window, QPoint(37, 120));
    QCOMPARE(window->CurrentDisplayMode(), MainDialog::DisplayMode::Volume);
    // Just outside the meter area nothing happens.
    DoubleClick(*window, QPoint(70, 120));
    QCOMPARE(window->CurrentDisplayMode(), MainDialog::DisplayMode::Volume);
}

void MainDialogTest::meterAreaDrawsTheLevelBarAndTheNote() {
    window->ShowLevel(60, false, false, true);  // 13 segments lit
    QImage shot = window->grab().toImage();
    auto segmentMiddle = [](int segment) { return QPoint(37, 177 - 4 * segment + 1); };
    QVERIFY(qRed(shot.pixel(segmentMiddle(12))) > 150);  // yellow
    QVERIFY(qGreen(shot.pixel(segmentMiddle(12))) > 150);
    QVERIFY(qGreen(shot.pixel(segmentMiddle(13))) < 80);  // dark
    QVERIFY(IsBrightGreen(shot.pixel(segmentMiddle(0))));

    window->SetDisplayMode(MainDialog::DisplayMode::Pitch);
    Click(*window, *window->StartToggle);
    QVERIFY(window->IsRunActive());
    window->ShowNote(61);  // C#5: on the C (21 naturals up), with a sharp
    shot = window->grab().toImage();
    const int headTop = 189 - 3 * 21;
    QVERIFY(IsBrightGreen(shot.pixel(45, headTop + 3)));
    QVERIFY(IsBrightGreen(shot.pixel(34, headTop + 2)));  // the sharp's left stroke
    window->ShowNote(std::nullopt);
    shot = window->grab().toImage();
    QVERIFY(!IsBrightGreen(shot.pixel(45, headTop + 3)));

    // Stopped, the panel shows no note.
    window->ShowNote(61);
    Click(*window, *window->StartToggle);
    QVERIFY(!window->IsRunActive());
    shot = window->grab().toImage();
    QVERIFY(!IsBrightGreen(shot.pixel(45, headTop + 3)));
}

void MainDialogTest::alwaysOnTopIsAppliedAndStoredAtEveryChange() {
    QVERIFY(window->IsTopMost());  // the setting's default
    QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
    const QPoint position = window->pos();
    window->SetAlwaysOnTop(false);
    QVERIFY(!window->IsTopMost());
    QVERIFY(!(window->windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(window->isVisible());
    QCOMPARE(window->pos(), position);
    QCOMPARE(IniValue(ReadFile(iniPath), "System Settings", "Always On Top"), QString("0"));

    // A new window takes the stored setting.
    window.reset();
    OpenWindow();
    QVERIFY(!window->IsTopMost());
    window->SetAlwaysOnTop(true);
    QCOMPARE(IniValue(ReadFile(iniPath), "System Settings", "Always On Top"), QString("1"));
}

void MainDialogTest::waveButtonClearsTheWayForTheWavDialog() {
    window->SetAutoShrink(true);
    Click(*window, *window->WaveButton);  // no WAV dialog is installed: nothing opens
    QVERIFY(window->IsAutoShrinkInEffect());

    int opened = 0;
    bool runWhileOpen = true;
    bool shrinkWhileOpen = true;
    window->SetWavDialogOpener([&](MainDialog& owner) {
        ++opened;
        runWhileOpen = owner.Session().IsRunActive();
        shrinkWhileOpen = owner.Session().IsAutoShrinkInEffect();
        return WavDialogChoices{};
    });
    Click(*window, *window->StartToggle);
    QVERIFY(window->IsRunActive());
    Click(*window, *window->WaveButton);
    QCOMPARE(opened, 1);
    QVERIFY(!runWhileOpen);
    QVERIFY(!shrinkWhileOpen);
    QVERIFY(!window->StartToggle->IsOn());
    QVERIFY(window->IsAutoShrinkInEffect());
}

// A hand-edited file with notes outside the fields' range: the window starts
// with the range held to what its buttons allow, shows both notes and steps.
void MainDialogTest::aDamagedLastUsedPresetStartsWithARangeTheButtonsCanMove() {
    window.reset();
    WriteFile(iniPath, "[Last Used]\nsection=Wild\n[Wild]\nMaximum Note=300\nMinimum Note=-40\n");
    OpenWindow();
    QCOMPARE(window->CurrentNoteRange().maximum, 101);
    QCOMPARE(window->CurrentNoteRange().minimum, 24);
    const QImage shot = window->grab().toImage();
    QVERIFY(CountPixels(shot, QRect(14, 224, 30, 20), IsBrightGreen) > 10);
    QVERIFY(CountPixels(shot, QRect(14, 264, 30, 20), IsBrightGreen) > 10);
    Click(*window, *window->MaximumNoteDownButton);
    Click(*window, *window->MinimumNoteUpButton);
    QCOMPARE(window->CurrentNoteRange().maximum, 100);
    QCOMPARE(window->CurrentNoteRange().minimum, 25);

    window.reset();
    WriteFile(iniPath, "[Last Used]\nsection=Crossed\n[Crossed]\nMaximum Note=40\nMinimum Note=90\n");
    OpenWindow();
    QCOMPARE(window->CurrentNoteRange().maximum, 99);
    QCOMPARE(window->CurrentNoteRange().minimum, 33);
    QCOMPARE(int(window->Settings().Detector().Header().minimumNote), 33);
}

QTEST_MAIN(MainDialogTest)
#include "main_dialog_test.moc"
