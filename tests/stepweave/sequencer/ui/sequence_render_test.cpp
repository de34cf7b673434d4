// F11 in the main window: the song rendered whole and exactly as the headless
// render command renders the saved song, whatever the user did before.
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <sstream>

#include "stepweave/sequencer/cli/render_command.h"
#include "stepweave/sequencer/files/text_lines.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/ui/samples_window.h"
#include "stepweave/sound/ui/wave_player_window.h"
#include "tests/stepweave/sequencer/playback/sound_test_support.h"
#include "tests/stepweave/sequencer/ui/sequence_window_fixture.h"

using namespace stepweave;
using stepweave::test::Named;
using stepweave::test::WindowUnderTest;

namespace {

std::vector<uint8_t> FileBytes(const std::filesystem::path& path) { return ReadWholeFile(path.string()); }

// What `stepweave render SONG -o OUT --dir FOLDER` writes.
std::vector<uint8_t> HeadlessRender(const std::filesystem::path& folder, const std::string& song) {
    std::ostringstream out;
    std::ostringstream err;
    RenderConsole console{out, err, false, [] { return false; }};
    const std::filesystem::path output = folder / "headless.wav";
    const int status = RenderCommand({(folder / song).string(), output.string(), folder.string(), "", std::nullopt}, console);
    if (status != 0) {
        qFatal("the headless render failed: %s", err.str().c_str());
    }
    return FileBytes(output);
}

// The song's lines of sample 1: its marker, file, frequency, "//" and pan.
std::vector<std::string> SampleOneBlock(const std::filesystem::path& song) {
    const TextLines lines = ReadTextFile(song.string());
    for (size_t i = 0; i < lines.Count(); ++i) {
        if (lines.At(i) == "<*sam1") {
            return {lines.Copy(i), lines.Copy(i + 1), lines.Copy(i + 2), lines.Copy(i + 3), lines.Copy(i + 4)};
        }
    }
    return {};
}

// A key on the main window, which the window system has made the active one
// again after a tool window or the render window had the focus.
void KeyOnWindow(WindowUnderTest& ui, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QApplication::setActiveWindow(ui.window.get());
    QTest::keyClick(ui.window.get(), key, modifiers);
}

void StoreAs(WindowUnderTest& ui, const QString& name) {
    Named<QLineEdit>(*ui.window, "Edit2")->selectAll();
    QTest::keyClicks(Named<QLineEdit>(*ui.window, "Edit2"), name);
    QTest::mouseClick(Named<QPushButton>(*ui.window, "BitBtn6"), Qt::LeftButton);
}

}  // namespace

class SequenceRenderTest : public QObject {
    Q_OBJECT

private slots:
    // Sample 1 panned 40 dB left, stored in a pattern and saved with the song;
    // after the song is opened again, a click on the pattern reloads the sample.
    void APatternClickKeepsTheSamplesPanAndTheRenderIsTheHeadlessOne() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        testing::SaveMonoWave(ui.folder / "lead.wav", 22050, testing::Sine16(22050 / 4, 0.01, 0.5));
        QTest::mouseClick(window.SamplePanel().Button(1), Qt::LeftButton);
        ui.prompt.files = {(ui.folder / "lead.wav").string()};
        window.WavePlayer().findChild<QMenuBar*>()->actions()[0]->menu()->actions()[0]->trigger();  // File > Open
        Named<QSlider>(window.WavePlayer(), "PanTrackBar")->setValue(-40);
        ui.Choose("Sample1");
        ui.Click(2, 1);
        ui.Click(5, 2);
        StoreAs(ui, "Lead");
        ui.prompt.files = {(ui.folder / "Lead.sng").string()};
        KeyOnWindow(ui, Qt::Key_S, Qt::ControlModifier);
        ui.prompt.files = {(ui.folder / "Lead.sng").string()};
        KeyOnWindow(ui, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(ui.session->Samples().Pan(1), -4000);

        WindowUnderTest::ClickEntry(*Named<QListWidget>(window, "SongList"), 0);
        QCOMPARE(ui.prompt.Errors(), std::vector<std::string>{});
        QCOMPARE(ui.session->Samples().Pan(1), -4000);
        QCOMPARE(Named<QSlider>(window.WavePlayer(), "PanTrackBar")->value(), -40);

        ui.prompt.files = {(ui.folder / "window.wav").string()};
        KeyOnWindow(ui, Qt::Key_F11);
        QCOMPARE(ui.prompt.Errors(), std::vector<std::string>{});
        QVERIFY(FileBytes(ui.folder / "window.wav") == HeadlessRender(ui.folder, "Lead.sng"));

        ui.prompt.files = {(ui.folder / "Again.sng").string()};
        KeyOnWindow(ui, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(SampleOneBlock(ui.folder / "Again.sng"),
                 (std::vector<std::string>{"<*sam1", (ui.folder / "lead.wav").string(), "22050", "//", "-4000"}));
    }

    // Time goes on while the render runs, long enough for the song that was
    // playing to come to its end: the render stops it first and writes the
    // whole song.
    void F11WhileTheSongPlaysRendersTheWholeSong() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        ui.prompt.files = {(ui.folder / "Demo.sng").string()};
        KeyOnWindow(ui, Qt::Key_O, Qt::ControlModifier);
        ui.prompt.files = {(ui.folder / "idle.wav").string()};
        KeyOnWindow(ui, Qt::Key_F11);
        const std::vector<uint8_t> whole = FileBytes(ui.folder / "idle.wav");
        QVERIFY(whole.size() > 44100 * 4 * 10);

        KeyOnWindow(ui, Qt::Key_F5);
        ui.Pass(3000);
        QVERIFY(ui.session->Engine().PlayingSong());
        QTimer time;
        QObject::connect(&time, &QTimer::timeout, [&] {
            for (int second = 0; second < 120 && ui.session->Engine().PlayingSong(); ++second) {
                ui.Pass(1000);
            }
        });
        time.start(0);
        ui.prompt.files = {(ui.folder / "playing.wav").string()};
        KeyOnWindow(ui, Qt::Key_F11);
        time.stop();
        QCOMPARE(ui.prompt.Errors(), std::vector<std::string>{});
        QCOMPARE(FileBytes(ui.folder / "playing.wav").size(), whole.size());
        QVERIFY(FileBytes(ui.folder / "playing.wav") == whole);
        QVERIFY(!ui.session->Engine().PlayingSong());
        QVERIFY(Named<QPushButton>(window, "BitBtn3")->isEnabled() && Named<QPushButton>(window, "BitBtn12")->isEnabled());
    }
};

QTEST_MAIN(SequenceRenderTest)
#include "sequence_render_test.moc"
