// The WAV dialog as the user meets it: browsing wave files with the panel
// following the selection, the play buttons, the voice list, the detector
// list, saving the notes, and closing. Messages are kept by a recording reporter; the notes
// play on a recording MIDI device and the sound on a manual audio output.
// With VOXNOTE_SCREENSHOT_DIR set, screenshots of the dialog are written there.
#include <QDir>
#include <algorithm>
#include <sstream>
#include <QAbstractItemView>
#include <QtTest>

#include "tests/voxnote/app/mididevices/midi_test_devices.h"
#include "tests/voxnote/app/test_support.h"
#include "tests/voxnote/app/conversion/wav_dialog_test_files.h"
#include "tests/voxnote/app/ui/window_test_support.h"
#include "voxnote/app/conversion/convert_command.h"
#include "voxnote/app/settings/converter_settings.h"
#include "voxnote/app/settings/current_detector_settings.h"
#include "voxnote/app/settings/preset_store.h"
#include "tests/support/voxnote/manual_audio_output.h"
#include "tests/support/voxnote/manual_playback_clock.h"
#include "tests/support/voxnote/recording_midi_device.h"
#include "voxnote/app/midi/standard_midi_file.h"
#include "voxnote/app/settings/string_table.h"
#include "voxnote/app/ui/dialog_colours.h"
#include "voxnote/app/ui/wav_info_dialog.h"

#include <QHeaderView>
#include <QTreeView>

using namespace voxnote;

namespace {

void SaveScreenshot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("VOXNOTE_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        widget.grab().save(folder + "/" + name + ".png");
    }
}

}  // namespace

class WavInfoDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void panelFollowsTheSelection();
    void aFormatTheConverterRefusesShowsItsMessagesThenNoNotesDetected();
    void theNotesPlayOnTheDeviceAndTheButtonReturnsWhenTheyAreDone();
    void theNoteLimitStopsTheConversionAndTheNotesStillPlay();
    void saveAsMidiFileWritesWhereTheUserChooses();
    void theFileSoundsToItsEnd();
    void closingStopsPlaybackAndHandsBackTheVoice();
    void theDetectorListStartsAtTheChoiceAndHandsBackTheNewOne();
    void thePreciseChoiceSavesTheNotesOfConvertWithThePreciseDetector();
    void closingWhileProcessingStopsTheConversion();
    void atItsFirstSizeEveryColumnShowsWhatItHolds();
    void disabledButtonsLookDisabled();

private:
    std::unique_ptr<WavInfoDialog> OpenDialog();
    void Select(WavInfoDialog& dialog, const std::filesystem::path& file);

    std::unique_ptr<test::TemporaryFolder> folder_;
    test::RecordingReporter reporter_;
    std::unique_ptr<ManualPlaybackClock> clock_;
    std::shared_ptr<RecordingMidiDevice> synth_;
    test::ListedMidiDevices devices_;
    ManualAudioOutput* audio_ = nullptr;
    WavDialogContext context_;
    std::vector<std::filesystem::path> suggestedNames_;
    std::optional<std::filesystem::path> chosenMidiFile_;
};

// The file dialogs keep their state in a settings file of the test's own.
void WavInfoDialogTest::initTestCase() { QStandardPaths::setTestModeEnabled(true); }

void WavInfoDialogTest::init() {
    folder_ = std::make_unique<test::TemporaryFolder>();
    reporter_ = {};
    clock_ = std::make_unique<ManualPlaybackClock>();
    synth_ = std::make_shared<RecordingMidiDevice>("Synth", midi_technology::kWavetableSynthesizer, *clock_);
    devices_.devices = {synth_};
    context_ = {};
    context_.analysisSettings = CurrentDetectorSettings().Header();
    context_.midiVoice = 11;
    context_.messages = &reporter_;
    context_.midiDevices = &devices_;
    context_.playbackClock = clock_.get();
    context_.createAudioOutput = [this] {
        auto output = std::make_unique<ManualAudioOutput>(44100);
        audio_ = output.get();
        return output;
    };
    context_.chooseMidiFile = [this](QWidget*, const std::filesystem::path& suggested) {
        suggestedNames_.push_back(suggested);
        return chosenMidiFile_;
    };
    context_.startFolder = QString::fromStdString(folder_->Path().string());
}

void WavInfoDialogTest::cleanup() {
    folder_.reset();
}

std::unique_ptr<WavInfoDialog> WavInfoDialogTest::OpenDialog() {
    auto dialog = std::make_unique<WavInfoDialog>(context_);
    dialog->resize(760, 560);
    dialog->show();
    return dialog;
}

// Clicks the file in the dialog's file view (list or details, whichever
// shows) once the folder has been read, and waits for the panel to follow.
void WavInfoDialogTest::Select(WavInfoDialog& dialog, const std::filesystem::path& file) {
    QAbstractItemView* view = nullptr;
    for (const char* name : {"listView", "treeView"}) {
        auto* candidate = dialog.findChild<QAbstractItemView*>(name);
        if (candidate != nullptr && candidate->isVisible()) {
            view = candidate;
        }
    }
    QVERIFY(view != nullptr);
    const QString name = QString::fromStdString(file.filename().string());
    QModelIndex item;
    auto find = [&] {
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
            const QModelIndex index = view->model()->index(row, 0, view->rootIndex());
            if (index.data().toString() == name) {
                return index;
            }
        }
        return QModelIndex();
    };
    QTRY_VERIFY((item = find()).isValid());
    view->scrollTo(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
    QTRY_VERIFY(dialog.Session().SelectedFile() == file);
}

void WavInfoDialogTest::panelFollowsTheSelection() {
    const auto notes = *folder_ / "notes.wav";
    test::WriteBytes(notes, test::ShortNotesStereoWav(7));
    const auto text = *folder_ / "readme.wav";
    test::WriteBytes(text, {'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v', 'e', ' ', 'f', 'i', 'l', 'e'});

    auto dialog = OpenDialog();
    QCOMPARE(dialog->windowTitle(), QString("Open"));
    QCOMPARE(dialog->nameFilters(), QStringList{"Wave (*.wav)"});
    QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(dialog->InformationGroup->title(), QString("Information"));
    QCOMPARE(dialog->SampleRateLabel->text(), QString("Sample Rate:"));
    QCOMPARE(dialog->BitsPerSampleLabel->text(), QString("Bits Per Sample:"));
    QCOMPARE(dialog->ChannelsLabel->text(), QString("Channels:"));
    QCOMPARE(dialog->DurationLabel->text(), QString("Duration:"));
    QCOMPARE(dialog->PlayGroup->title(), QString("Play"));
    QCOMPARE(dialog->VoiceList->count(), 128);
    QCOMPARE(dialog->VoiceList->itemText(0), QString::fromStdString(ProgramName(0)));
    QCOMPARE(dialog->VoiceList->currentIndex(), 11);
    QVERIFY(!dialog->AudioButton->isEnabled());
    QVERIFY(!dialog->MidiButton->isEnabled());
    QVERIFY(!dialog->SaveMidiButton->isEnabled());

    Select(*dialog, notes);
    QCOMPARE(dialog->SampleRateValue->text(), QString("44100 Hz"));
    QCOMPARE(dialog->BitsPerSampleValue->text(), QString("16"));
    QCOMPARE(dialog->ChannelsValue->text(), QString("2"));
    QCOMPARE(dialog->DurationValue->text(), QString("2.1 secs "));
    QVERIFY(dialog->AudioButton->isEnabled());
    QVERIFY(dialog->MidiButton->isEnabled());
    QVERIFY(dialog->SaveMidiButton->isEnabled());
    QCOMPARE(dialog->AudioButton->text(), QString("Audio"));
    QCOMPARE(dialog->MidiButton->text(), QString("MIDI"));
    QCOMPARE(dialog->StatusText->text(), QString());
    SaveScreenshot(*dialog, "wav_dialog_selected");

    Select(*dialog, text);
    for (QLabel* value :
         {dialog->SampleRateValue, dialog->BitsPerSampleValue, dialog->ChannelsValue, dialog->DurationValue}) {
        QCOMPARE(value->text(), QString());
    }
    QVERIFY(!dialog->AudioButton->isEnabled());
    QVERIFY(!dialog->MidiButton->isEnabled());
    QVERIFY(reporter_.texts.empty());
}

void WavInfoDialogTest::aFormatTheConverterRefusesShowsItsMessagesThenNoNotesDetected() {
    const auto file = *folder_ / "eight.wav";
    test::WriteBytes(file, test::EightBitWav48k(96000));
    auto dialog = OpenDialog();
    Select(*dialog, file);
    QCOMPARE(dialog->SampleRateValue->text(), QString("48000 Hz"));
    QCOMPARE(dialog->BitsPerSampleValue->text(), QString("8"));
    QCOMPARE(dialog->DurationValue->text(), QString("2 secs "));

    QTest::mouseClick(dialog->MidiButton, Qt::LeftButton);
    QCOMPARE(reporter_.texts, (std::vector<std::string>{Text(strings::kFrequencyShouldBe),
                                                         Text(strings::kSamplesShouldBe16Bit),
                                                         Text(strings::kNoNotesDetected)}));
    QVERIFY(reporter_.kinds.back() == MessageKind::Information);
    QCOMPARE(dialog->MidiButton->text(), QString("MIDI"));
    QVERIFY(dialog->MidiButton->isEnabled());
    QCOMPARE(synth_->OpenCount(), 0);
}

void WavInfoDialogTest::theNotesPlayOnTheDeviceAndTheButtonReturnsWhenTheyAreDone() {
    const auto file = *folder_ / "notes.wav";
    test::WriteBytes(file, test::ShortNotesWav(12));
    auto dialog = OpenDialog();
    Select(*dialog, file);

    clock_->HoldAt(1000);
    QTest::mouseClick(dialog->MidiButton, Qt::LeftButton);
    QVERIFY(clock_->WaitForSleeper());
    QCOMPARE(dialog->MidiButton->text(), QString("Stop"));
    QVERIFY(!dialog->AudioButton->isEnabled());
    QCOMPARE(dialog->StatusText->text(), QString());

    // A voice chosen while the notes play is sent at once.
    clock_->Set(1000);
    dialog->VoiceList->setCurrentIndex(40);
    QCOMPARE(synth_->Sent().back(), (SentMidiMessage{ProgramChangeEvent(40), 1000}));

    clock_->Release();
    QTRY_COMPARE(dialog->MidiButton->text(), QString("MIDI"));
    QVERIFY(dialog->AudioButton->isEnabled());

    // Every record was sent at its own time, a tick being a millisecond.
    const MidiStreamBuffer& events = *dialog->Session().Events();
    std::vector<SentMidiMessage> sent = synth_->Sent();
    sent.erase(std::remove_if(sent.begin(), sent.end(),
                              [](const SentMidiMessage& m) { return m.message == ProgramChangeEvent(40); }),
               sent.end());
    uint32_t time = 0;
    for (size_t i = 0; i + 1 < events.RecordCount(); ++i) {
        time += events.Record(i).deltaTime;
        const uint32_t message = i == 0 ? ProgramChangeEvent(11) : events.Record(i).event;
        QCOMPARE(sent.at(i), (SentMidiMessage{message, time}));
    }
    QVERIFY(time > 3000);
    QVERIFY(reporter_.texts.empty());
}

void WavInfoDialogTest::theNoteLimitStopsTheConversionAndTheNotesStillPlay() {
    // About nineteen minutes of short notes: more than the stream can hold.
    const auto file = *folder_ / "long.wav";
    test::WriteBytes(file, test::ShortNotesWav(3800));
    auto dialog = OpenDialog();
    Select(*dialog, file);

    clock_->HoldAt(60000);
    QTest::mouseClick(dialog->MidiButton, Qt::LeftButton);
    QCOMPARE(reporter_.texts, std::vector<std::string>{Text(strings::kNoteLimitReached)});
    QVERIFY(reporter_.kinds.front() == MessageKind::Information);

    const MidiStreamBuffer* events = dialog->Session().Events();
    QVERIFY(events != nullptr);
    QCOMPARE(events->RecordCount(), size_t{2 * 2665});
    QCOMPARE(events->Bytes().size(), size_t{24 * 2665});
    QCOMPARE(dialog->MidiButton->text(), QString("Stop"));
    QVERIFY(clock_->WaitForSleeper());
    QVERIFY(synth_->Sent().size() > 100);

    clock_->Release();
    QTRY_COMPARE_WITH_TIMEOUT(dialog->MidiButton->text(), QString("MIDI"), 20000);
    QVERIFY(synth_->Sent().size() >= 2 * 2664 + 1);
}

void WavInfoDialogTest::saveAsMidiFileWritesWhereTheUserChooses() {
    const auto file = *folder_ / "notes.wav";
    test::WriteBytes(file, test::ShortNotesWav(8));
    auto dialog = OpenDialog();
    Select(*dialog, file);

    QTest::mouseClick(dialog->SaveMidiButton, Qt::LeftButton);  // cancelled
    QCOMPARE(suggestedNames_, std::vector<std::filesystem::path>{*folder_ / "notes.mid"});
    QCOMPARE(dialog->Session().Events(), nullptr);

    chosenMidiFile_ = *folder_ / "tune.mid";
    QTest::mouseClick(dialog->SaveMidiButton, Qt::LeftButton);
    const std::string saved = test::ReadText(*folder_ / "tune.mid");
    QVERIFY(saved.starts_with("MThd"));
    QVERIFY(dialog->Session().Events() != nullptr);
    QCOMPARE(saved, StandardMidiFileBytes(*dialog->Session().Events()));
    QVERIFY(NoteEventsOf(*dialog->Session().Events()).size() >= 8);
    QCOMPARE(dialog->StatusText->text(), QString());
    QVERIFY(dialog->MidiButton->isEnabled());
    QVERIFY(reporter_.texts.empty());
}

void WavInfoDialogTest::theFileSoundsToItsEnd() {
    const auto file = *folder_ / "notes.wav";
    test::WriteBytes(file, test::ShortNotesWav(2));
    auto dialog = OpenDialog();
    Select(*dialog, file);

    QTest::mouseClick(dialog->AudioButton, Qt::LeftButton);
    QVERIFY(audio_ != nullptr && audio_->IsRunning());
    QCOMPARE(dialog->AudioButton->text(), QString("Stop"));
    QVERIFY(!dialog->MidiButton->isEnabled());
    QVERIFY(dialog->AudioTimer.isActive());

    // The sound card takes the sound; the dialog's timer notices the end.
    for (int pull = 0; pull < 100; ++pull) {
        audio_->Pull(441);
    }
    QTRY_COMPARE(dialog->AudioButton->text(), QString("Audio"));
    QVERIFY(!audio_->IsOpen());
    QVERIFY(dialog->MidiButton->isEnabled());
    QVERIFY(!dialog->AudioTimer.isActive());
    QVERIFY(reporter_.texts.empty());
}

void WavInfoDialogTest::closingStopsPlaybackAndHandsBackTheVoice() {
    const auto file = *folder_ / "notes.wav";
    test::WriteBytes(file, test::ShortNotesWav(6));
    auto dialog = OpenDialog();
    Select(*dialog, file);
    QTest::mouseClick(dialog->AudioButton, Qt::LeftButton);
    QVERIFY(audio_->IsRunning());
    dialog->VoiceList->setCurrentIndex(52);
    std::filesystem::create_directory(*folder_ / "takes");
    const QString takes = QString::fromStdString((*folder_ / "takes").string());
    dialog->setDirectory(takes);

    dialog->reject();
    QVERIFY(!audio_->IsOpen());
    QVERIFY(!dialog->isVisible());
    QCOMPARE(context_.midiVoice, 52);
    QCOMPARE(QDir(context_.startFolder), QDir(takes));  // opens there next time

    // Closed while the notes play, the device is let go.
    context_.startFolder = QString::fromStdString(folder_->Path().string());
    dialog = OpenDialog();
    QCOMPARE(dialog->VoiceList->currentIndex(), 52);
    Select(*dialog, file);
    clock_->HoldAt(clock_->Now() + 500);
    QTest::mouseClick(dialog->MidiButton, Qt::LeftButton);
    QVERIFY(synth_->IsOpen());
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QVERIFY(!synth_->IsOpen());
    clock_->Release();
}

void WavInfoDialogTest::theDetectorListStartsAtTheChoiceAndHandsBackTheNewOne() {
    context_.detectorChoice = DetectorChoice::Precise;
    auto dialog = OpenDialog();
    QCOMPARE(dialog->DetectorLabel->text(), QString("Detector:"));
    QCOMPARE(dialog->DetectorLabel->buddy(), dialog->DetectorList);
    QCOMPARE(dialog->DetectorList->count(), 2);
    QCOMPARE(dialog->DetectorList->itemText(0), QString("Classic"));
    QCOMPARE(dialog->DetectorList->itemText(1), QString("Precise"));
    QCOMPARE(dialog->DetectorList->currentText(), QString("Precise"));
    QCOMPARE(dialog->Session().Detector(), DetectorChoice::Precise);

    dialog->DetectorList->setFocus();
    QTest::keyClick(dialog->DetectorList, Qt::Key_Up);
    QCOMPARE(dialog->DetectorList->currentText(), QString("Classic"));
    QCOMPARE(dialog->Session().Detector(), DetectorChoice::Classic);
    dialog->reject();
    QCOMPARE(context_.detectorChoice, DetectorChoice::Classic);

    dialog = OpenDialog();
    QCOMPARE(dialog->DetectorList->currentText(), QString("Classic"));
    dialog->DetectorList->setFocus();
    QTest::keyClick(dialog->DetectorList, Qt::Key_Down);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(context_.detectorChoice, DetectorChoice::Precise);
}

// The same file and the same settings (a preset that transposes and locks
// to a scale, a voice) give the same MIDI file from the dialog's Precise
// choice as from "voxnote convert --detector precise". The notes lie below
// what the classic detector hears, so its choice gives none.
void WavInfoDialogTest::thePreciseChoiceSavesTheNotesOfConvertWithThePreciseDetector() {
    const auto ini = *folder_ / "voxnote.ini";
    qputenv("VOXNOTE_INI", QByteArray::fromStdString(ini.string()));
    {
        PrivateProfile profile(ini);
        DetectorSettings bass;
        bass.transposition = 12;
        bass.lockToScaleOn = 1;
        bass.scale = 0;    // C major: the G sharps move
        bass.tuning = -3;  // ... up, each a good way above the middle of its step
        PresetStore(profile).Save("Bass", bass);
    }
    ConverterSettings settings(ini);
    QVERIFY(settings.LoadPreset("Bass", reporter_));
    context_.analysisSettings = settings.Detector().Header();
    context_.midiVoice = 33;
    const auto file = *folder_ / "low.wav";
    test::WriteBytes(file, test::ShortNotesStereoWav(8, 40));

    auto dialog = OpenDialog();
    Select(*dialog, file);
    dialog->DetectorList->setFocus();
    QTest::keyClick(dialog->DetectorList, Qt::Key_Down);
    QCOMPARE(dialog->DetectorList->currentText(), QString("Precise"));
    chosenMidiFile_ = *folder_ / "dialog.mid";
    QTest::mouseClick(dialog->SaveMidiButton, Qt::LeftButton);
    QVERIFY(reporter_.texts.empty());

    CLI::App app;
    ConvertOptions options;
    AddConvertCommand(app, options);
    const std::string command = (*folder_ / "command.mid").string();
    std::vector<std::string> arguments = {"convert", file.string(), "--preset", "Bass", "--detector", "precise",
                                          "--voice", "33", "-o", command};
    std::reverse(arguments.begin(), arguments.end());
    app.parse(arguments);
    std::ostringstream output;
    test::RecordingReporter commandMessages;
    QCOMPARE(RunConvert(options, output, commandMessages), kConvertSucceeded);
    QVERIFY(commandMessages.texts.empty());
    QCOMPARE(output.str(), std::string("Notes found: 8\n"));

    const std::string saved = test::ReadText(*folder_ / "dialog.mid");
    QCOMPARE(saved, test::ReadText(command));
    std::vector<int> notes;
    for (const TimedNoteEvent& event : NoteEventsOf(*dialog->Session().Events())) {
        if (event.velocity > 0) notes.push_back(event.note);
    }
    // E G# B E B G# E G#, an octave up, the G sharps locked to A.
    QCOMPARE(notes, (std::vector<int>{52, 57, 59, 64, 59, 57, 52, 57}));

    dialog->DetectorList->setFocus();
    QTest::keyClick(dialog->DetectorList, Qt::Key_Up);
    chosenMidiFile_ = *folder_ / "classic.mid";
    QTest::mouseClick(dialog->SaveMidiButton, Qt::LeftButton);
    QCOMPARE(reporter_.texts, std::vector<std::string>{Text(strings::kNoNotesDetected)});
    QVERIFY(!std::filesystem::exists(*folder_ / "classic.mid"));
    qunsetenv("VOXNOTE_INI");
}

void WavInfoDialogTest::closingWhileProcessingStopsTheConversion() {
    const auto file = *folder_ / "long.wav";
    test::WriteBytes(file, test::ShortNotesWav(600));
    auto dialog = OpenDialog();
    Select(*dialog, file);

    // Between two blocks of the conversion the window is drawn and the
    // user closes it.
    QString statusWhileProcessing;
    bool buttonsWhileProcessing = true;
    QTimer::singleShot(0, dialog.get(), [&] {
        statusWhileProcessing = dialog->StatusText->text();
        buttonsWhileProcessing = dialog->AudioButton->isEnabled() || dialog->MidiButton->isEnabled() ||
                                 dialog->SaveMidiButton->isEnabled();
        SaveScreenshot(*dialog, "wav_dialog_processing");
        dialog->reject();
    });
    QTest::mouseClick(dialog->MidiButton, Qt::LeftButton);
    QCOMPARE(statusWhileProcessing, QString("Processing..."));
    QVERIFY(!buttonsWhileProcessing);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QVERIFY(!dialog->Session().IsProcessing());
    QCOMPARE(dialog->Session().Events(), nullptr);
    QCOMPARE(synth_->OpenCount(), 0);
    QVERIFY(reporter_.texts.empty());
}

namespace {

// The file list of a dialog in its details view, holding one file.
void ExpectEveryColumnShowsWhatItHolds(QFileDialog& dialog) {
    dialog.setViewMode(QFileDialog::Detail);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* files = dialog.findChild<QTreeView*>("treeView");
    QVERIFY(files != nullptr);
    QTRY_COMPARE(files->model()->rowCount(files->rootIndex()), 1);
    const QModelIndex first = files->model()->index(0, 0, files->rootIndex());
    QTRY_VERIFY(!files->model()->index(0, 1, files->rootIndex()).data().toString().isEmpty());
    QCoreApplication::processEvents();
    for (int column = 1; column < files->header()->count(); ++column) {
        const QModelIndex cell = first.siblingAtColumn(column);
        const int textWidth = files->fontMetrics().horizontalAdvance(cell.data().toString());
        QVERIFY2(files->header()->sectionSize(column) >= textWidth,
                 qPrintable(QString("column %1 (%2) is cut").arg(column).arg(cell.data().toString())));
    }
    QVERIFY(files->header()->sectionSize(0) >=
            files->fontMetrics().horizontalAdvance(first.data().toString()));
}

// A file dialog keeps its columns' widths for the next one: these are narrow.
void KeepNarrowFileColumns() {
    QFileDialog narrow;
    narrow.setOption(QFileDialog::DontUseNativeDialog, true);
    narrow.setViewMode(QFileDialog::Detail);
    QHeaderView* header = narrow.findChild<QTreeView*>("treeView")->header();
    header->setSectionResizeMode(QHeaderView::Interactive);
    for (int column = 0; column < header->count(); ++column) {
        header->resizeSection(column, 12);
    }
}

}  // namespace

// In the open dialog and in "Save as MIDI file"'s, whatever widths the last
// file dialog left.
void WavInfoDialogTest::atItsFirstSizeEveryColumnShowsWhatItHolds() {
    const auto recording = *folder_ / "a rather long name for a recording.wav";
    test::WriteBytes(recording, test::ShortNotesStereoWav(7));
    test::WriteBytes(*folder_ / "a rather long name for a saved tune.mid", {'M', 'T', 'h', 'd'});
    KeepNarrowFileColumns();
    context_.chooseMidiFile = {};  // the save dialog itself
    WavInfoDialog dialog(context_);
    ExpectEveryColumnShowsWhatItHolds(dialog);
    SaveScreenshot(dialog, "wav_dialog_first_size");
    Select(dialog, recording);
    bool saveDialogChecked = false;
    test::WhenModalOpens<QFileDialog>([&](QFileDialog& save) {
        ExpectEveryColumnShowsWhatItHolds(save);
        SaveScreenshot(save, "save_midi_dialog");
        saveDialogChecked = true;
        save.reject();
    });
    QTest::mouseClick(dialog.SaveMidiButton, Qt::LeftButton);
    QVERIFY(saveDialogChecked);
}

// A disabled button's caption is grey, an enabled one's black.
void WavInfoDialogTest::disabledButtonsLookDisabled() {
    const QPalette before = QApplication::palette();
    QApplication::setPalette(DialogPalette(before));
    auto dialog = OpenDialog();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    const auto darkPixels = [](QWidget* widget) {
        const QImage image = widget->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                count += qGray(image.pixel(x, y)) < 50 ? 1 : 0;
            }
        }
        return count;
    };
    for (QPushButton* button : {dialog->AudioButton, dialog->MidiButton, dialog->SaveMidiButton}) {
        QVERIFY(!button->isEnabled());
        const int disabled = darkPixels(button);
        button->setEnabled(true);
        const int enabled = darkPixels(button);
        QVERIFY2(enabled > 2 * disabled + 10,
                 qPrintable(QString("%1: %2 dark pixels enabled, %3 disabled").arg(button->text()).arg(enabled).arg(disabled)));
    }
    dialog.reset();
    QApplication::setPalette(before);
}

QTEST_MAIN(WavInfoDialogTest)
#include "wav_info_dialog_test.moc"
