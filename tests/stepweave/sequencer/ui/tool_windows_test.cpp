// The tool windows around the main window: the wave player, the kit list, the
// sample panel, the kit maker, the kit import, the render window and the intro.
#include <QComboBox>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <cmath>

#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/playback/user_samples.h"
#include "stepweave/sequencer/ui/intro_screen.h"
#include "stepweave/sequencer/ui/render_progress_window.h"
#include "stepweave/sound/voices/audio_file_stream.h"
#include "stepweave/sound/kit/wave_collection.h"
#include "stepweave/sound/ui/kit_list_window.h"
#include "stepweave/sound/ui/kit_maker_window.h"
#include "stepweave/sound/ui/samples_window.h"
#include "stepweave/sound/ui/wave_player_window.h"
#include "stepweave/sound/wav/wave_data.h"
#include "tests/stepweave/sequencer/ui/sequence_window_fixture.h"
#include "tests/stepweave/sound/wav/wave_test_support.h"

using namespace stepweave;
using stepweave::test::Named;
using stepweave::test::WindowUnderTest;

namespace {

// A mono 16-bit tone of the given rate and length, written as a WAV file.
std::string WriteTone(const std::filesystem::path& path, uint32_t rate, double seconds, uint16_t bits = 16) {
    wave_test::Bytes data;
    const auto frames = static_cast<size_t>(rate * seconds);
    for (size_t i = 0; i < frames; ++i) {
        const auto value = static_cast<int32_t>(std::lround(12000 * std::sin(2 * M_PI * 440 * i / rate)));
        for (int byte = 0; byte < bits / 8; ++byte) {
            data.push_back(static_cast<uint8_t>((bits == 24 ? value << 8 : value) >> (8 * byte)));
        }
    }
    const wave_test::Bytes image = wave_test::RiffImage(
        {wave_test::Chunk("fmt ", wave_test::PcmFormat(1, rate, bits)), wave_test::Chunk("data", data)});
    WriteFileSafely(path.string(), image.data(), static_cast<int64_t>(image.size()));
    return path.string();
}

int KitPan(SequencerSession& session, int instrument) {
    return session.DrumKit().Items().Find(InstrumentList::Label(instrument)).Pan();
}

}  // namespace

class ToolWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void TheKitListAndSamplePanelShowFromTheStartAndNoIntroWithoutItsVideo() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        QVERIFY(window.KitList().isVisible());
        QVERIFY(window.SamplePanel().isVisible());
        QCOMPARE(window.KitList().windowTitle(), QString("Kit List"));
        QCOMPARE(window.KitList().width(), 80);
        QVERIFY(!window.findChild<IntroScreen*>()->isVisible());
        QVERIFY(!window.WavePlayer().isVisible());
        QVERIFY(!window.KitMaker().isVisible());
        // Row 9 of the sample panel stands two gaps lower than eight plain rows put it.
        QCOMPARE(SamplesWindow::RowTop(9), 212);
        QCOMPARE(window.SamplePanel().Button(9)->y(), 212);
        QCOMPARE(window.SamplePanel().Button(5)->text(), QString("Sample 5"));
    }

    void ClickingAKitLabelChoosesTheInstrumentAndShowsItsPan() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        ui.session->DrumKit().Items().Find("Cymbol2   [ ]").SetPan(-700);
        QLabel* cymbol2 = Named<QLabel>(window.KitList(), "Label9");
        QCOMPARE(cymbol2->text(), QString("Cymbol2"));
        QVERIFY(cymbol2->font().italic() == false);
        QVERIFY(Named<QLabel>(window.KitList(), "Label10")->font().italic());
        QTest::mouseClick(cymbol2, Qt::LeftButton);
        QCOMPARE(Named<QComboBox>(window, "ComboBox1")->currentText(), QString("Cymbol2   [ ]"));
        QCOMPARE(Named<QSlider>(window, "Panning")->value(), -700);
        QCOMPARE(KitPan(*ui.session, 9), -700);
    }

    void ASampleButtonOpensThePlayerWhichLoadsTunesAndPlaysTheFile() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        QTest::mouseClick(window.SamplePanel().Button(12), Qt::LeftButton);
        WavePlayerWindow& player = window.WavePlayer();
        QVERIFY(player.isVisible());
        QCOMPARE(Named<QComboBox>(window, "ComboBox1")->currentText(), QString("Sample12"));
        QCOMPARE(player.windowTitle(), QString("Blank.wav : Sample 12"));
        QCOMPARE(Named<QLabel>(window.SamplePanel(), "Label1")->text(), QString("12"));

        // With the blank sound the arrows do nothing.
        const uint32_t blankFrequency = ui.session->Samples().Stream(12).Frequency();
        QTest::mouseClick(Named<QToolButton>(player, "Image2"), Qt::LeftButton);
        QCOMPARE(ui.session->Samples().Stream(12).Frequency(), blankFrequency);

        ui.prompt.files = {WriteTone(ui.folder / "snare_long_name.wav", 22050, 0.2)};
        player.findChild<QMenuBar*>()->actions()[0]->menu()->actions()[0]->trigger();  // File > Open
        QCOMPARE(window.SamplePanel().Button(12)->text(), QString("snare_lo"));
        QVERIFY(std::filesystem::exists(ui.folder / "temp" / "Sample1.wav"));
        QVERIFY(Named<QPushButton>(player, "PlayButton")->isEnabled());
        QCOMPARE(Named<QSlider>(player, "FrequencyTrackBar")->value(), 22050);

        QTest::mouseClick(Named<QToolButton>(player, "Image2"), Qt::LeftButton);
        QTest::mouseClick(Named<QToolButton>(player, "Image2"), Qt::LeftButton);
        QCOMPARE(ui.session->Samples().Stream(12).Frequency(), 24750u);
        QCOMPARE(Named<QSlider>(player, "FrequencyTrackBar")->value(), 24750);

        Named<QSlider>(player, "VolumeTrackBar")->setValue(-40);
        QCOMPARE(ui.session->Samples().Volume(12), -4000);
        Named<QSlider>(player, "PanTrackBar")->setValue(25);
        QCOMPARE(ui.session->Samples().Pan(12), 2500);

        // Played to its end, the sample rewinds by itself and Play is offered again.
        ui.Pass(400);
        QTest::mouseClick(Named<QPushButton>(player, "PlayButton"), Qt::LeftButton);
        QVERIFY(!Named<QPushButton>(player, "PlayButton")->isEnabled());
        ui.Pass(400);
        QTRY_VERIFY_WITH_TIMEOUT(Named<QPushButton>(player, "PlayButton")->isEnabled(), 1000);
        QVERIFY(!ui.session->Samples().Playing(12));
    }

    void ChoosingAnotherSampleNeverRetunesTheCurrentOne() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        QTest::mouseClick(window.SamplePanel().Button(2), Qt::LeftButton);
        ui.prompt.files = {WriteTone(ui.folder / "low.wav", 11025, 0.1)};
        window.WavePlayer().findChild<QMenuBar*>()->actions()[0]->menu()->actions()[0]->trigger();
        QTest::mouseClick(window.SamplePanel().Button(3), Qt::LeftButton);
        ui.prompt.files = {WriteTone(ui.folder / "high.wav", 44100, 0.1)};
        window.WavePlayer().findChild<QMenuBar*>()->actions()[0]->menu()->actions()[0]->trigger();
        QTest::mouseClick(window.SamplePanel().Button(2), Qt::LeftButton);
        QCOMPARE(ui.session->Samples().Frequency(2), 11025);
        QCOMPARE(ui.session->Samples().Frequency(3), 44100);
        QCOMPARE(Named<QSlider>(window.WavePlayer(), "FrequencyTrackBar")->value(), 11025);
    }

    void AWaveFileDroppedOnASampleButtonOpensIntoThatSample() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        const std::string path = WriteTone(ui.folder / "dropped_loop.wav", 22050, 0.1);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        QPushButton* button = window.SamplePanel().Button(4);
        const QPoint at = button->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(button, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(button, &drop);
        QCOMPARE(button->text(), QString("dropped_"));
        QVERIFY(ui.session->Samples().HoldsSample(4));
        QCOMPARE(ui.session->Samples().Frequency(4), 22050);
        QCOMPARE(window.WavePlayer().CurrentSample(), 4);
    }

    void TheKitMakerSavesBlankOrTemplateKitsAndLoadsOnlyTheCheckedSlot() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        KitMakerWindow& maker = window.KitMaker();
        ui.prompt.answers = {false};  // no template
        window.kitMakerAction->trigger();
        QCOMPARE(ui.prompt.shown.back().text, std::string("Do you wish to template the current drum kit?"));
        QVERIFY(maker.isVisible());

        Named<QRadioButton>(maker, "RadioButton3")->setChecked(true);  // "Snare"
        QCOMPARE(Named<QRadioButton>(maker, "RadioButton3")->text(), QString("Snare"));
        ui.prompt.files = {WriteTone(ui.folder / "snare.wav", 22050, 0.1)};
        QTest::mouseClick(Named<QPushButton>(maker, "Load_sample"), Qt::LeftButton);
        WaveData blank;
        blank.LoadFromFile((ui.folder / "Blank.wav").string());
        const WaveCollection& made = maker.MadeKit();
        for (int slot = 0; slot <= 16; ++slot) {
            QCOMPARE(made.Items(slot).Wave().Image() == blank.Image(), slot != 3);
        }
        // A 24-bit file is refused with its name and format, and the slot keeps its sound.
        Named<QRadioButton>(maker, "RadioButton5")->setChecked(true);
        ui.prompt.files = {WriteTone(ui.folder / "deep.wav", 44100, 0.1, 24)};
        QTest::mouseClick(Named<QPushButton>(maker, "Load_sample"), Qt::LeftButton);
        QCOMPARE(ui.prompt.Errors().back(),
                 std::string("'deep.wav' cannot be used: it is 24-bit PCM; only 8- or 16-bit PCM, mono or stereo, can be played"));
        QVERIFY(made.Items(5).Wave().Image() == blank.Image());

        // Saved, and used at once: the sequencer's snare is the new one.
        ui.prompt.files = {(ui.folder / "mine.dxg").string()};
        ui.prompt.answers = {true};
        QTest::mouseClick(Named<QPushButton>(maker, "Save_library"), Qt::LeftButton);
        QCOMPARE(ui.prompt.shown.back().text, std::string("Do you wish to use the new drum kit now?"));
        QVERIFY(!maker.isVisible());
        WaveCollection saved;
        saved.LoadFromFile((ui.folder / "mine.dxg").string());
        QCOMPARE(saved.Count(), 17);
        QVERIFY(ui.session->DrumKit().Items().Find("Snare     [ ]").Wave().Image() == made.Items(3).Wave().Image());

        // With the template every slot carries the sequencer's sound; No keeps the sequencer's kit.
        const std::vector<uint8_t> kick = ui.session->DrumKit().Items().Items(1).Wave().Image();
        ui.prompt.answers = {true};
        window.kitMakerAction->trigger();
        QVERIFY(maker.MadeKit().Items(1).Wave().Image() == kick);
        ui.prompt.files = {(ui.folder / "copy.dxg").string()};
        ui.prompt.answers = {false};
        QTest::mouseClick(Named<QPushButton>(maker, "Save_library"), Qt::LeftButton);
        QVERIFY(std::filesystem::exists(ui.folder / "copy.dxg"));
    }

    void APanSurvivesAKitImport() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        std::filesystem::copy_file(ui.folder / "standard.dxg", ui.folder / "other.dxg");
        ui.Choose("Tom1      [ ]");
        Named<QSlider>(window, "Panning")->setValue(900);
        ui.prompt.files = {(ui.folder / "other.dxg").string()};
        window.importKitAction->trigger();
        QCOMPARE(ui.prompt.dialogs.back().filter, std::string("dxg (*.dxg)"));
        QCOMPARE(KitPan(*ui.session, 6), 900);
        QCOMPARE(Named<QSlider>(window, "Panning")->value(), 900);
        // A damaged kit is reported and the pans stay.
        WriteFileSafely((ui.folder / "bad.dxg").string(), std::string("not a kit"));
        ui.prompt.files = {(ui.folder / "bad.dxg").string()};
        window.importKitAction->trigger();
        QCOMPARE(ui.prompt.Errors().size(), size_t{1});
    }

    void RenderWritesTheSongAndStopKeepsAValidPartialFile() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        ui.prompt.files = {(ui.folder / "Demo.sng").string()};
        QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
        ui.prompt.files = {(ui.folder / "song.wav").string()};
        QTest::keyClick(&window, Qt::Key_F11);
        QCOMPARE(ui.prompt.dialogs.back().title, std::string("Save As One Big Lovely WAV File"));
        QCOMPARE(ui.prompt.Errors(), std::vector<std::string>{});
        WaveData whole;
        whole.LoadFromFile((ui.folder / "song.wav").string());
        QVERIFY(whole.Size() > 44100 * 4 * 10);
        QVERIFY(!Named<QProgressBar>(window, "ProgressBar1")->isVisible());
        QVERIFY(!window.RenderWindow().isVisible());
        QVERIFY(Named<QPushButton>(window, "BitBtn3")->isEnabled() && Named<QPushButton>(window, "BitBtn12")->isEnabled());

        // Stop pressed while it renders: what was mixed is saved, and the buttons come back.
        ui.prompt.files = {(ui.folder / "part.wav").string()};
        // Stop is pressed once the render window names the first instrument being added.
        QTimer stopper;
        stopper.setInterval(0);
        QObject::connect(&stopper, &QTimer::timeout, [&] {
            if (!Named<QLabel>(window.RenderWindow(), "Label2")->text().isEmpty()) {
                stopper.stop();
                QTest::mouseClick(Named<QPushButton>(window, "BitBtn4"), Qt::LeftButton);
            }
        });
        Named<QLabel>(window.RenderWindow(), "Label2")->clear();
        stopper.start();
        QApplication::setActiveWindow(&window);  // as the window system does when the render window goes
        QTest::keyClick(&window, Qt::Key_F11);
        WaveData part;
        part.LoadFromFile((ui.folder / "part.wav").string());
        QVERIFY(part.Size() > 0);
        QVERIFY(part.Size() < whole.Size());
        QVERIFY(!Named<QProgressBar>(window, "ProgressBar1")->isVisible());
        QVERIFY(Named<QPushButton>(window, "BitBtn3")->isEnabled() && Named<QPushButton>(window, "BitBtn12")->isEnabled());

        // Cancelled: nothing written.
        ui.prompt.files = {""};
        QApplication::setActiveWindow(&window);
        QTest::keyClick(&window, Qt::Key_F11);
        QVERIFY(Named<QPushButton>(window, "BitBtn12")->isEnabled());
        QVERIFY(!Named<QProgressBar>(window, "ProgressBar1")->isVisible());
    }
};

QTEST_MAIN(ToolWindowsTest)
#include "tool_windows_test.moc"
