// A damaged or wrong file, opened from the windows: its message names it, and
// nothing the user had set is changed or written over.
#include <QMimeData>
#include <QPushButton>

#include "stepweave/sequencer/files/text_lines.h"
#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/kit/wave_collection.h"
#include "stepweave/sound/ui/samples_window.h"
#include "tests/stepweave/sequencer/playback/sound_test_support.h"
#include "tests/stepweave/sequencer/ui/sequence_window_fixture.h"

using namespace stepweave;
using stepweave::test::Named;
using stepweave::test::WindowUnderTest;

namespace {

constexpr int kCymbal2 = 9;

std::string FileText(const std::filesystem::path& path) {
    const std::vector<uint8_t> bytes = ReadWholeFile(path.string());
    return {bytes.begin(), bytes.end()};
}

void WriteText(const std::filesystem::path& path, const std::string& text) { WriteFileSafely(path.string(), text); }

// The seeded kit cut in half: its header is whole, a wave in it is not.
void WriteHalfKit(const std::filesystem::path& from, const std::filesystem::path& to) {
    const std::string kit = FileText(from);
    WriteText(to, kit.substr(0, kit.size() / 2));
}

// "Panning.dat" with Cymbal2 at 900 and the others centred.
std::string WritePanningWithCymbal2(const std::filesystem::path& folder) {
    std::string text;
    for (int instrument = 0; instrument <= 16; ++instrument) {
        text += (instrument == kCymbal2 ? "900" : "0") + std::string("\r\n");
    }
    WriteText(folder / "Panning.dat", text);
    return text;
}

int Cymbal2Pan(WindowUnderTest& ui) { return ui.session->DrumKit().Items().Find(InstrumentList::Label(kCymbal2)).Pan(); }

// A file dragged from the desktop and dropped on a sample button.
void DropOn(QPushButton* button, const std::filesystem::path& file) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
    const QPoint at = button->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &drop);
}

// Sample 5's file name in a saved song.
std::string SampleFiveFile(const std::filesystem::path& song) {
    const TextLines lines = ReadTextFile(song.string());
    for (size_t i = 0; i < lines.Count(); ++i) {
        if (lines.At(i) == "<*sam5") {
            return lines.Copy(i + 1);
        }
    }
    return {};
}

}  // namespace

class DamagedFilesTest : public QObject {
    Q_OBJECT

private slots:
    void AProgramStartedOnADamagedKitLeavesThePanningFileAsItWas() {
        WindowUnderTest ui;
        const std::string pans = WritePanningWithCymbal2(ui.folder);
        WriteHalfKit(ui.folder / "standard.dxg", ui.folder / "standard.dxg");
        ui.Open();
        ui.window->close();
        QCOMPARE(FileText(ui.folder / "Panning.dat"), pans);
        QCOMPARE(ui.prompt.Errors().size(), size_t{1});
        QVERIFY(ui.prompt.Errors().front().rfind("standard.dxg: ", 0) == 0);
    }

    void AKitThatFailsToImportChangesNoPan() {
        WindowUnderTest ui;
        WritePanningWithCymbal2(ui.folder);
        WriteHalfKit(ui.folder / "standard.dxg", ui.folder / "cut.dxg");
        SequenceWindow& window = ui.Open();
        QCOMPARE(Cymbal2Pan(ui), 900);
        ui.prompt.files = {(ui.folder / "cut.dxg").string()};
        window.importKitAction->trigger();
        QCOMPARE(ui.prompt.Errors().size(), size_t{1});
        QCOMPARE(ui.session->DrumKit().Items().Count(), 17);
        QCOMPARE(Cymbal2Pan(ui), 900);
        ui.prompt.files = {(ui.folder / "standard.dxg").string()};
        window.importKitAction->trigger();
        QCOMPARE(ui.prompt.Errors().size(), size_t{1});
        QCOMPARE(Cymbal2Pan(ui), 900);
    }

    // A file that is no WAV dropped on sample 5: the sample, its button and
    // the song keep what they had; a song that names such a file says which.
    void AFailedSampleOpenLeavesTheSlotAsItWasAndTheSongsMessageNamesTheFile() {
        WindowUnderTest ui;
        SequenceWindow& window = ui.Open();
        testing::SaveMonoWave(ui.folder / "shaker.wav", 22050, testing::Sine16(2205, 0.02, 0.5));
        WriteText(ui.folder / "notwav.wav", "these are words, not sound");
        QPushButton* button = window.SamplePanel().Button(5);
        DropOn(button, ui.folder / "shaker.wav");
        QCOMPARE(button->text(), QString("shaker"));
        DropOn(button, ui.folder / "notwav.wav");
        QCOMPARE(ui.prompt.Errors(), std::vector<std::string>{"notwav.wav: Wave is invalid"});
        QCOMPARE(button->text(), QString("shaker"));
        QCOMPARE(ui.session->Samples().FileName(5), (ui.folder / "shaker.wav").string());
        QVERIFY(ui.session->Samples().HoldsSample(5));
        ui.prompt.files = {(ui.folder / "Kept.sng").string()};
        QApplication::setActiveWindow(&window);
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(SampleFiveFile(ui.folder / "Kept.sng"), (ui.folder / "shaker.wav").string());

        std::string song = FileText(ui.folder / "Kept.sng");
        song.replace(song.find("shaker.wav"), 10, "notwav.wav");
        WriteText(ui.folder / "Words.sng", song);
        ui.prompt.files = {(ui.folder / "Words.sng").string()};
        QApplication::setActiveWindow(&window);
        QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(ui.prompt.Errors().back(), std::string("notwav.wav: Wave is invalid"));
    }

    void ABinaryPatternFileIsReportedWithItsFileLineAndEscapedBytes() {
        WindowUnderTest ui;
        using namespace std::string_literals;
        WriteText(ui.folder / "Noise.pat", "\x89PNG\r\n\x1A\n\x00\x00\x00\rIHDR\x00\x01"s);
        SequenceWindow& window = ui.Open();
        ui.Document().playList.Append("Noise");
        window.ShowDocument();
        WindowUnderTest::ClickEntry(*Named<QListWidget>(window, "SongList"), 0);
        QCOMPARE(ui.prompt.Errors(),
                 std::vector<std::string>{"Noise.pat: line 2: '\\x00\\x00\\x00' is not a valid integer value"});
    }
};

QTEST_MAIN(DamagedFilesTest)
#include "damaged_files_test.moc"
