// Running and choosing the mixer from the main window, answered as a user
// would, with a stand-in mixer: a script that notes each time it is started.
#include "voxnote/app/shell/mixer_launcher.h"

#include <QtTest>

#include "tests/voxnote/app/ui/window_test_support.h"
#include "voxnote/app/shell/mixer_location.h"
#include "voxnote/app/ui/main_dialog.h"
#include "voxnote/app/ui/message_box_prompt.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QSortFilterProxyModel>

using namespace voxnote;
using namespace voxnote::test;

class MixerLauncherTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void withoutAMixerTheButtonLeadsIntoChoosing();
    void noToRunSelectedMixerEndsWithoutStartingOrStoring();
    void noToIsThisTheMixerBrowsesAgain();
    void yesStoresTheMixerAndTheButtonStartsItFromThenOn();
    void aFileThatCannotBeOpenedIsReported();
    void aStoredMixerThatNoLongerStartsFailsSilently();
    void changeMixerStopsTheRunAndDropsTopMostMeanwhile();
    void theFileDialogOffersProgramsFirst();

private:
    int Starts() const;
    bool WaitForStarts(int count) const;
    QString StoredMixer() const;

    std::unique_ptr<TestWindow> test;
    WindowUnderTest* window = nullptr;
    QString mixer;
};

void MixerLauncherTest::init() {
    test = std::make_unique<TestWindow>();
    test->Show();
    window = test->window.get();
    test->prompt.Clear();
    mixer = test->folder.filePath("stand-in mixer.sh");
    WriteFile(mixer, "#!/bin/sh\necho started >> \"$(dirname \"$0\")/starts.txt\"\n");
    QFile::setPermissions(mixer, QFile::permissions(mixer) | QFile::ExeOwner | QFile::ExeUser);
}

void MixerLauncherTest::cleanup() {
    QVERIFY2(test->prompt.unexpected.empty(), test->prompt.Unexpected().c_str());
    test.reset();
}

int MixerLauncherTest::Starts() const {
    return int(ReadFile(test->folder.filePath("starts.txt")).count("started"));
}

bool MixerLauncherTest::WaitForStarts(int count) const {
    return QTest::qWaitFor([&] { return Starts() >= count; }, 10000) && Starts() == count;
}

QString MixerLauncherTest::StoredMixer() const {
    return IniValue(ReadFile(test->IniPath()), "Mixer Location", "Location");
}

void MixerLauncherTest::withoutAMixerTheButtonLeadsIntoChoosing() {
    test->prompt.answers = {false};  // Cancel
    Click(*window, *window->MixerButton);
    QCOMPARE(test->prompt.asked.size(), std::size_t{1});
    QCOMPARE(test->prompt.asked[0].kind, std::string("ok/cancel"));
    QCOMPARE(test->prompt.asked[0].text, std::string("Browse for a new mixer..."));
    QVERIFY(StoredMixer().isNull());
}

void MixerLauncherTest::noToRunSelectedMixerEndsWithoutStartingOrStoring() {
    test->prompt.answers = {true, false};
    test->prompt.files = {mixer.toStdString()};
    Click(*window, *window->MixerButton);
    QCOMPARE(test->prompt.asked.size(), std::size_t{3});
    QCOMPARE(test->prompt.asked[1].kind, std::string("file"));
    QCOMPARE(test->prompt.asked[2].text, std::string("Run selected mixer?"));
    QVERIFY(StoredMixer().isNull());

    // Had it been started, its note would come before this one's.
    test->prompt.answers = {true, true, true};
    test->prompt.files = {mixer.toStdString()};
    Click(*window, *window->MixerButton);
    QVERIFY(WaitForStarts(1));
}

void MixerLauncherTest::noToIsThisTheMixerBrowsesAgain() {
    test->prompt.answers = {true, true, false};
    test->prompt.files = {mixer.toStdString(), std::nullopt};  // the second browse is cancelled
    Click(*window, *window->MixerButton);
    QVERIFY(WaitForStarts(1));
    std::vector<std::string> kinds;
    for (const auto& question : test->prompt.asked) {
        kinds.push_back(question.kind);
    }
    QCOMPARE(kinds, (std::vector<std::string>{"ok/cancel", "file", "yes/no", "yes/no", "file"}));
    QCOMPARE(test->prompt.asked[3].text, std::string("Is this the mixer you wish to use?"));
    QVERIFY(StoredMixer().isNull());
}

void MixerLauncherTest::yesStoresTheMixerAndTheButtonStartsItFromThenOn() {
    test->prompt.answers = {true, true, true};
    test->prompt.files = {mixer.toStdString()};
    Click(*window, *window->MixerButton);
    QVERIFY(WaitForStarts(1));
    QCOMPARE(StoredMixer(), mixer);

    test->prompt.Clear();
    Click(*window, *window->MixerButton);
    QVERIFY(WaitForStarts(2));
    QVERIFY(test->prompt.asked.empty());
}

void MixerLauncherTest::aFileThatCannotBeOpenedIsReported() {
    test->prompt.answers = {true};
    test->prompt.files = {test->folder.filePath("no such mixer").toStdString()};
    Click(*window, *window->MixerButton);
    QCOMPARE(test->prompt.Messages(), std::vector<std::string>{"Couldn't open the selected mixer"});
    QCOMPARE(test->prompt.asked.size(), std::size_t{3});  // nothing asked after it
    QVERIFY(StoredMixer().isNull());
}

void MixerLauncherTest::aStoredMixerThatNoLongerStartsFailsSilently() {
    QVERIFY(WriteMixerLocation(window->Settings().Profile(), test->folder.filePath("gone").toStdString()));
    Click(*window, *window->MixerButton);
    QVERIFY(test->prompt.asked.empty());
}

void MixerLauncherTest::changeMixerStopsTheRunAndDropsTopMostMeanwhile() {
    QVERIFY(window->IsTopMost());
    Click(*window, *window->StartToggle);
    QVERIFY(window->IsRunActive());
    std::vector<bool> topMostWhileAsking;
    bool runWhileAsking = true;
    test->prompt.onQuestion = [&] {
        topMostWhileAsking.push_back(window->IsTopMost());
        runWhileAsking = window->IsRunActive();
    };
    test->prompt.answers = {true, true, true};
    test->prompt.files = {mixer.toStdString()};
    window->ChangeMixerAction->trigger();
    QVERIFY(WaitForStarts(1));
    QCOMPARE(topMostWhileAsking, (std::vector<bool>{false, false, false, false}));
    QVERIFY(!runWhileAsking);
    QVERIFY(!window->StartToggle->IsOn());
    QVERIFY(window->IsTopMost());
    QCOMPARE(StoredMixer(), mixer);
    test->prompt.onQuestion = nullptr;
}

// The names the file dialog lists in its folder.
static QStringList ListedFiles(QFileDialog& dialog) {
    QAbstractProxyModel* model = dialog.proxyModel();
    const QModelIndex folder = model->mapFromSource(
        static_cast<QFileSystemModel*>(model->sourceModel())->index(dialog.directory().absolutePath()));
    QStringList names;
    for (int row = 0; row < model->rowCount(folder); ++row) {
        names << model->index(row, 0, folder).data().toString();
    }
    names.sort();
    return names;
}

void MixerLauncherTest::theFileDialogOffersProgramsFirst() {
    WriteFile(test->folder.filePath("notes.txt"), "not a program");
    QStringList programs;
    QStringList everything;
    WhenModalOpens<QFileDialog>([&](QFileDialog& dialog) {
        dialog.setDirectory(test->folder.path());
        [[maybe_unused]] const bool listed =
            QTest::qWaitFor([&] { return ListedFiles(dialog).contains("stand-in mixer.sh"); }, 5000);
        programs = ListedFiles(dialog);
        dialog.selectNameFilter(dialog.nameFilters().at(1));
        emit dialog.filterSelected(dialog.nameFilters().at(1));
        [[maybe_unused]] const bool relisted =
            QTest::qWaitFor([&] { return ListedFiles(dialog).contains("notes.txt"); }, 5000);
        everything = ListedFiles(dialog);
        auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
        name->clear();
        QTest::keyClicks(name, "stand-in mixer.sh");
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)->click();
        if (dialog.isVisible()) {
            dialog.reject();
        }
    });
    MessageBoxPrompt prompt(window);
    const std::optional<std::string> chosen = prompt.ChooseProgramFile();
    QVERIFY(programs.contains("stand-in mixer.sh"));
    QVERIFY(!programs.contains("notes.txt"));
    QVERIFY(everything.contains("notes.txt"));
    QCOMPARE(chosen, std::optional<std::string>(mixer.toStdString()));
}

QTEST_MAIN(MixerLauncherTest)
#include "mixer_launcher_test.moc"
