// The Presets dialog opened from the main window, typed into and clicked as a
// user would, against a settings file of the test's own.
#include "voxnote/app/ui/presets_dialog.h"

#include <QDir>
#include <QtTest>

#include "tests/voxnote/app/ui/window_test_support.h"
#include "voxnote/app/shell/mixer_location.h"
#include "voxnote/app/ui/main_dialog.h"

using namespace voxnote;
using namespace voxnote::test;

namespace {

// Opens the dialog with the preset key and does `actions` in it; a dialog
// the actions leave open is closed.
void WithPresetsDialog(WindowUnderTest& window, std::function<void(PresetsDialog&)> actions) {
    WhenModalOpens<PresetsDialog>([actions](PresetsDialog& dialog) {
        actions(dialog);
        if (dialog.isVisible()) {
            dialog.CloseButton->click();
        }
    });
    Click(window, *window.PresetButton);
}

void ChooseName(PresetsDialog& dialog, const QString& name) {
    dialog.NameField->clear();
    QTest::keyClicks(dialog.NameField, name);
}

QStringList ListedNames(const PresetsDialog& dialog) {
    QStringList names;
    for (int row = 0; row < dialog.NameList->count(); ++row) {
        names << dialog.NameList->item(row)->text();
    }
    return names;
}

}  // namespace

class PresetsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void nameFieldOffersDefaultOnceADisplayedSettingWasTouched();
    void saveWritesThePresetAndLoadBringsItBack();
    void loadingAMissingNameGivesTheDefaultsOfAMissingPreset();
    void lastUsedPresetIsLoadedAtTheNextStart();
    void rhythmModeTravelsWithThePreset();
    void deleteRefusesDefaultAndRemovesOthers();
    void failedDeleteIsReported();
    void enterOutsideTheButtonsIsNoKnownOperation();
    void theFilesOwnSectionsAreNoPresetNames();
    void openingStopsALiveRunAndSuspendsAutoShrink();

private:
    std::unique_ptr<TestWindow> test;
    WindowUnderTest* window = nullptr;
};

void PresetsDialogTest::init() {
    test = std::make_unique<TestWindow>();
    test->Show();
    window = test->window.get();
    test->prompt.Clear();
}

void PresetsDialogTest::cleanup() {
    QVERIFY2(test->prompt.unexpected.empty(), test->prompt.Unexpected().c_str());
    test.reset();
}

void PresetsDialogTest::nameFieldOffersDefaultOnceADisplayedSettingWasTouched() {
    QString offered = "unset";
    QStringList listed;
    WithPresetsDialog(*window, [&](PresetsDialog& dialog) {
        offered = dialog.NameField->text();
        listed = ListedNames(dialog);
    });
    QCOMPARE(offered, QString(""));
    QCOMPARE(listed, QStringList{"Default"});

    // A slider is no displayed setting; the scale is.
    Drag(*window, ThumbCentre(*window->GapRatioSlider), QPoint(130, 150));
    WithPresetsDialog(*window, [&](PresetsDialog& dialog) { offered = dialog.NameField->text(); });
    QCOMPARE(offered, QString(""));
    Click(*window, *window->ScaleUpButton);
    WithPresetsDialog(*window, [&](PresetsDialog& dialog) { offered = dialog.NameField->text(); });
    QCOMPARE(offered, QString("Default"));
}

void PresetsDialogTest::saveWritesThePresetAndLoadBringsItBack() {
    Drag(*window, ThumbCentre(*window->InputVolumeSlider), QPoint(90, 76));  // 0
    window->SetScale(4);
    window->SetNoteRange({80, 40});
    WithPresetsDialog(*window, [](PresetsDialog& dialog) {
        ChooseName(dialog, "Alto sax");
        dialog.SaveButton->click();
    });
    QCOMPARE(window->PresetName(), QString("Alto sax"));
    QString ini = ReadFile(test->IniPath());
    QCOMPARE(IniValue(ini, "Alto sax", "Input Volume"), QString("0"));
    QCOMPARE(IniValue(ini, "Alto sax", "Scale"), QString("4"));
    QCOMPARE(IniValue(ini, "Alto sax", "Lock To Scale On"), QString("1"));
    QCOMPARE(IniValue(ini, "Alto sax", "Maximum Note"), QString("80"));
    QCOMPARE(IniValue(ini, "Alto sax", "Constant Note"), QString("-1"));
    QCOMPARE(IniValue(ini, "Last Used", "section"), QString("Alto sax"));

    // Change everything, then load it back by picking it from the list.
    Drag(*window, ThumbCentre(*window->InputVolumeSlider), QPoint(90, 300));
    window->SetScale(12);
    window->SetNoteRange({101, 24});
    WithPresetsDialog(*window, [](PresetsDialog& dialog) {
        const QStringList names = ListedNames(dialog);
        QCOMPARE(names, (QStringList{"Alto sax", "Default"}));
        dialog.NameList->setCurrentRow(0);
        QCOMPARE(dialog.NameField->text(), QString("Alto sax"));
        dialog.LoadButton->click();
    });
    QCOMPARE(window->InputVolume(), 0);
    QCOMPARE(window->Scale(), 4);
    QCOMPARE(window->CurrentNoteRange().maximum, 80);
    QCOMPARE(window->CurrentNoteRange().minimum, 40);
    QCOMPARE(window->Settings().Detector().Header().inputThreshold, 350u);
    QCOMPARE(window->Settings().Detector().Header().reattackGap, 5u * 16);
    QCOMPARE(window->Settings().Detector().Header().releaseDrop, 10u * 10 + 100);
    QCOMPARE(window->PresetName(), QString("Alto sax"));
}

void PresetsDialogTest::loadingAMissingNameGivesTheDefaultsOfAMissingPreset() {
    WithPresetsDialog(*window, [](PresetsDialog& dialog) {
        ChooseName(dialog, "Nobody saved this");
        dialog.LoadButton->click();
    });
    QCOMPARE(window->CurrentNoteRange().maximum, 99);  // not the start-up 101
    QCOMPARE(window->CurrentNoteRange().minimum, 33);
    QCOMPARE(window->PresetName(), QString("Nobody saved this"));
    QCOMPARE(IniValue(ReadFile(test->IniPath()), "Last Used", "section"), QString("Nobody saved this"));
    // The sliders' values are converted now, so the analysis follows the sliders.
    QCOMPARE(window->Settings().Detector().Header().inputThreshold, 8u * 13 + 350);
    QCOMPARE(window->Settings().Detector().Header().releaseDrop, 200u);
}

void PresetsDialogTest::lastUsedPresetIsLoadedAtTheNextStart() {
    window->SetNoteRange({70, 50});
    Drag(*window, ThumbCentre(*window->NoteStopRatioSlider), QPoint(170, 80));
    WithPresetsDialog(*window, [](PresetsDialog& dialog) {
        ChooseName(dialog, "Bass");
        dialog.SaveButton->click();
    });
    const QString iniPath = test->IniPath();
    const QString copy = test->folder.filePath("copy.ini");
    QVERIFY(QFile::copy(iniPath, copy));
    TestWindow next(copy);
    QCOMPARE(next.window->PresetName(), QString("Bass"));
    QCOMPARE(next.window->CurrentNoteRange().maximum, 70);
    QCOMPARE(next.window->NoteStopRatio(), 0);
    QCOMPARE(next.window->Settings().Detector().Header().releaseDrop, 100u);
    // "Default" was written again from the start-up values.
    QCOMPARE(IniValue(ReadFile(copy), "Default", "Maximum Note"), QString("101"));
}

void PresetsDialogTest::rhythmModeTravelsWithThePreset() {
    window->Settings().SetRhythmNote(42);
    Click(*window, *window->RhythmToggle);
    WithPresetsDialog(*window, [](PresetsDialog& dialog) {
        ChooseName(dialog, "Beat box");
        dialog.SaveButton->click();
    });
    QCOMPARE(IniValue(ReadFile(test->IniPath()), "Beat box", "Constant Note"), QString("42"));
    Click(*window, *window->RhythmToggle);
    window->Settings().SetRhythmNote(50);
    QVERIFY(!window->RhythmToggle->IsOn());

    WithPresetsDialog(*window, [](PresetsDialog& dialog) {
        ChooseName(dialog, "Beat box");
        dialog.LoadButton->click();
    });
    QVERIFY(window->RhythmToggle->IsOn());
    QCOMPARE(window->Settings().RhythmNote(), 42);
    WithPresetsDialog(*window, [](PresetsDialog& dialog) {
        ChooseName(dialog, "Default");
        dialog.LoadButton->click();
    });
    QVERIFY(!window->RhythmToggle->IsOn());
    QCOMPARE(window->Settings().RhythmNote(), 60);
}

void PresetsDialogTest::deleteRefusesDefaultAndRemovesOthers() {
    window->Settings().SavePreset("Flute", test->prompt);
    window->Settings().SavePreset("Cello", test->prompt);
    QStringList afterRefusal;
    QStringList afterDelete;
    QString nameAfterDelete;
    WithPresetsDialog(*window, [&](PresetsDialog& dialog) {
        ChooseName(dialog, "Default");
        dialog.DeleteButton->click();
        afterRefusal = ListedNames(dialog);
        dialog.NameList->setCurrentRow(1);  // "Default" sorts between "Cello" and "Flute"
        ChooseName(dialog, "Flute");
        dialog.DeleteButton->click();
        QVERIFY(dialog.isVisible());  // Delete leaves the dialog open
        afterDelete = ListedNames(dialog);
        nameAfterDelete = dialog.NameField->text();
    });
    QCOMPARE(test->prompt.Messages(), std::vector<std::string>{"Cannot delete default settings"});
    QCOMPARE(test->prompt.asked.front().kind, std::string("information"));
    QCOMPARE(afterRefusal, (QStringList{"Cello", "Default", "Flute"}));
    QCOMPARE(afterDelete, (QStringList{"Cello", "Default"}));
    QCOMPARE(nameAfterDelete, QString("Flute"));
    const QString ini = ReadFile(test->IniPath());
    QVERIFY(IniValue(ini, "Flute", "Scale").isNull());
    QCOMPARE(IniValue(ini, "Cello", "Scale"), QString("12"));
    QCOMPARE(IniValue(ini, "Default", "Scale"), QString("12"));

    // Another case of the name is another name: the section goes (the file
    // finds sections whatever their case) and is written again at the next start.
    WithPresetsDialog(*window, [&](PresetsDialog& dialog) {
        ChooseName(dialog, "default");
        dialog.DeleteButton->click();
        afterDelete = ListedNames(dialog);
    });
    QCOMPARE(afterDelete, QStringList{"Cello"});
}

void PresetsDialogTest::failedDeleteIsReported() {
    window->Settings().SavePreset("Oboe", test->prompt);
    const QString iniPath = test->IniPath();
    QStringList listed;
    WithPresetsDialog(*window, [&](PresetsDialog& dialog) {
        // The file cannot be rewritten: a folder stands in its place.
        QVERIFY(QFile::rename(iniPath, iniPath + ".away"));
        QVERIFY(QDir().mkdir(iniPath));
        ChooseName(dialog, "Oboe");
        dialog.DeleteButton->click();
        listed = ListedNames(dialog);
        QVERIFY(QDir().rmdir(iniPath));
        QVERIFY(QFile::rename(iniPath + ".away", iniPath));
    });
    QCOMPARE(test->prompt.Messages(), std::vector<std::string>{"Failed to delete preset"});
    QVERIFY(listed.contains("Oboe"));
    QCOMPARE(IniValue(ReadFile(iniPath), "Oboe", "Scale"), QString("12"));
}

void PresetsDialogTest::enterOutsideTheButtonsIsNoKnownOperation() {
    window->SetScale(7);
    WithPresetsDialog(*window, [](PresetsDialog& dialog) {
        ChooseName(dialog, "Default");
        QTest::keyClick(dialog.NameField, Qt::Key_Return);
    });
    QCOMPARE(test->prompt.Messages(), std::vector<std::string>{"Unknown presets operation"});
    QCOMPARE(window->Scale(), 7);  // nothing was loaded
    QCOMPARE(window->PresetName(), QString("Default"));

    // With no name nothing happens at all.
    test->prompt.Clear();
    WithPresetsDialog(*window, [](PresetsDialog& dialog) {
        dialog.NameField->clear();
        QTest::keyClick(dialog.NameField, Qt::Key_Return);
    });
    QVERIFY(test->prompt.asked.empty());

    // Enter on a button presses it.
    WithPresetsDialog(*window, [](PresetsDialog& dialog) {
        ChooseName(dialog, "Keys");
        dialog.SaveButton->setFocus();
        QTest::keyClick(dialog.SaveButton, Qt::Key_Return);
    });
    QCOMPARE(window->PresetName(), QString("Keys"));
    QCOMPARE(IniValue(ReadFile(test->IniPath()), "Keys", "Scale"), QString("7"));
}

void PresetsDialogTest::theFilesOwnSectionsAreNoPresetNames() {
    QVERIFY(WriteMixerLocation(window->Settings().Profile(), "/usr/bin/true"));
    WithPresetsDialog(*window, [](PresetsDialog& dialog) {
        ChooseName(dialog, "Mixer Location");
        dialog.DeleteButton->click();
        ChooseName(dialog, "system settings");
        dialog.SaveButton->click();
    });
    QCOMPARE(test->prompt.Messages().size(), std::size_t{2});
    const QString ini = ReadFile(test->IniPath());
    QCOMPARE(IniValue(ini, "Mixer Location", "Location"), QString("/usr/bin/true"));
    QVERIFY(IniValue(ini, "System Settings", "Scale").isNull());
    QCOMPARE(window->PresetName(), QString("Default"));
}

void PresetsDialogTest::openingStopsALiveRunAndSuspendsAutoShrink() {
    window->SetAutoShrink(true);
    Click(*window, *window->StartToggle);
    QVERIFY(window->IsRunActive());
    bool runWhileOpen = true;
    bool autoShrinkWhileOpen = true;
    WithPresetsDialog(*window, [&](PresetsDialog&) {
        runWhileOpen = window->IsRunActive();
        autoShrinkWhileOpen = window->IsAutoShrinkInEffect();
    });
    QVERIFY(!runWhileOpen);
    QVERIFY(!window->StartToggle->IsOn());
    QVERIFY(!autoShrinkWhileOpen);
    QVERIFY(window->IsAutoShrinkInEffect());
}

QTEST_MAIN(PresetsDialogTest)
#include "presets_dialog_test.moc"
