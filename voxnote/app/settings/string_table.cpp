#include "voxnote/app/settings/string_table.h"

#include <array>
#include <map>

namespace voxnote {

namespace {

struct Entry {
    int id;
    const char* text;
};

constexpr Entry kMessages[] = {
    {strings::kCouldNotStorePreference, "Couldn't store preference"},
    {strings::kFailedToDeletePreset, "Failed to delete preset"},
    {strings::kCannotDeleteDefaultSettings, "Cannot delete default settings"},
    {strings::kUnknownPresetsOperation, "Unknown presets operation"},

    {strings::kUnsupportedWaveFormat, "Unsupported wave format."},
    {strings::kMustBeMonoOrStereo, "Cannot process wave file.\nIt must be mono or stereo."},
    {strings::kFrequencyShouldBe, "Cannot process wave file.\nThe frequency should be 11kHz, 22kHz or 44kHz"},
    {strings::kSamplesShouldBe16Bit, "Cannot process wave file.\nThe samples should be 16 bit."},
    {strings::kNoDataChunk, "Couldn't find data chunk in wave file."},
    {strings::kErrorReadingDivision, "Error reading division of file"},
    {strings::kErrorReadingFinalPart, "Error reading final part of file"},
    {strings::kBufferOverflow, "Buffer overflow whilst processing"},
    {strings::kErrorInClose, "Error in VoxnoteClose"},
    {strings::kNoteLimitReached,
     "The MIDI stream is full: only the notes found up to this point are kept.\n"
     "Convert a shorter part of the recording to get the rest."},
    {strings::kProblemStoppingAudio, "Problem stopping audio playback."},
    {strings::kProcessing, "Processing..."},
    {strings::kNotAWaveFile, "Cannot process wave file.\nIt is not a WAV file, or its \"fmt \" chunk is missing."},

    {strings::kNoNotesDetected, "No notes detected."},
    {strings::kErrorAllocatingMidiData, "Error allocating memory for MIDI data."},
    {strings::kErrorLockingMidiBuffer, "Error locking MIDI event buffer memory."},
    {strings::kCannotOpenMidiStream, "Can't open MIDI stream.\nTry selecting another MIDI device.\n(See Troubleshooting)"},
    {strings::kCouldNotSetDivisionTempo, "Couldn't set MIDI time division/tempo."},
    {strings::kCouldNotPrepareHeader, "Error: Couldn't prepare MIDI header."},
    {strings::kCouldNotQueueStream, "Error: Couldn't queue MIDI stream."},
    {strings::kCouldNotStartStream, "Error: Couldn't start MIDI stream."},
    {strings::kNoMidiDevices, "No MIDI Devices!"},

    {strings::kUnitHertz, " Hz"},
    {strings::kUnitMinute, " min "},
    {strings::kUnitMinutes, " mins "},
    {strings::kUnitSecond, " sec "},
    {strings::kUnitSeconds, " secs "},
    {strings::kUnitMilliseconds, " msecs "},

    {strings::kProgramDescription, "voxnote: turns sung or played notes into MIDI"},
    {strings::kConvertDescription, "Convert a WAV file into notes, without opening the window"},
    {strings::kVersionHelp, "Show the versions of the libraries in use"},
    {strings::kInputFileHelp, "The WAV file to convert (PCM, 16 bit, mono or stereo, 11025, 22050 or 44100 Hz)"},
    {strings::kOutputFileHelp, "Write the notes as a Standard MIDI File"},
    {strings::kEventsFileHelp, "Write the note events as CSV (time_ms,note,velocity); - for standard output"},
    {strings::kFramesFileHelp, "Write every analysis frame as CSV (frame,level,band_level,weight,pitch); - for standard output"},
    {strings::kPresetHelp, "Start from this preset of voxnote.ini"},
    {strings::kInputVolumeHelp, "Input Volume slider, 0-69"},
    {strings::kGapRatioHelp, "GapRatio slider, 0-35"},
    {strings::kNoteStopRatioHelp, "Note Stop Ratio slider, 0-23"},
    {strings::kOutputVolumeHelp, "Output Volume, 0-60"},
    {strings::kTuningHelp, "Tuning in tenths of a semitone, -10 to +10"},
    {strings::kMinimumNoteHelp, "Minimum Note, MIDI note 24-100"},
    {strings::kMaximumNoteHelp, "Maximum Note, MIDI note 25-101"},
    {strings::kScaleHelp, "Scale 0-11 (major scale on C, C#, ... B), 12 chromatic"},
    {strings::kTransposeHelp, "Transposition in semitones"},
    {strings::kFixedVolumeHelp, "Give every note velocity 64"},
    {strings::kRhythmNoteHelp, "Rhythm mode: every note becomes this MIDI note (-1: off)"},
    {strings::kVoiceHelp, "General MIDI program of the notes, 0-127"},
    {strings::kDetectorHelp, "Detector of the notes: classic (the default) or precise, for whole recordings"},
    {strings::kCannotOpenInput, "Cannot open the file \"%s\"."},
    {strings::kCannotWriteFile, "Cannot write the file \"%s\"."},
    {strings::kNoPresetOfThatName, "There is no preset \"%s\" in %s."},
    {strings::kNoteRangeEmpty, "The Minimum Note must be below the Maximum Note."},
    {strings::kNotesConverted, "Notes found: %s"},
    {strings::kUnknownCommand, "unknown command '%s'"},
    {strings::kCommandListHeading, "Commands:"},
    {strings::kOutputExists, "The file \"%s\" exists already; name it with -o to replace it."},
    {strings::kFramesNeedClassicDetector,
     "--frames writes the classic detector's analysis frames; the precise detector has none of them."},
    {strings::kExitStatusHelp,
     "Exit status: 0 the file was converted (also when it holds no notes); 2 it could not be converted "
     "(not a WAV file, a format the converter does not take, damaged, an unknown preset, an output that "
     "could not be written or exists already); 105 the command line was refused (a mistyped command, an "
     "unknown option, a missing or extra argument, a bad value)."},
};

// ---- Main window and its dialogs ----
constexpr Entry kWindowTexts[] = {
    {strings::kProgramTitle, "Voxnote"},
    {strings::kCouldNotOpenHelp, "Couldn't open the help file \"%s\"."},
    {strings::kCouldNotOpenWebSite, "Couldn't open the web page \"%s\"."},
    {strings::kReservedPresetName, "\"%s\" is the name of the program's own settings: choose another preset name."},
    {strings::kBrowseForNewMixer, "Browse for a new mixer..."},
    {strings::kCouldNotOpenMixer, "Couldn't open the selected mixer"},
    {strings::kRunSelectedMixer, "Run selected mixer?"},
    {strings::kIsThisTheMixer, "Is this the mixer you wish to use?"},
    {strings::kChooseMixerTitle, "Choose a mixer"},
    {strings::kMixerFilterPrograms, "Executable files (*)"},
    {strings::kMixerFilterAllFiles, "All files (*)"},

    {strings::kTuneCaption, "&Tune"},
    {strings::kDoneCaption, "&Done"},
    {strings::kRhythmNoteLabel, "Rhythm Note, Drum Name"},
    {strings::kOutputVolumeLabel, "Output Volume"},
    {strings::kTuningLabel, "Tuning"},
    {strings::kDrumKitLabel, "Drum Kit"},
    {strings::kAutoShrinkLabel, "Auto Shrink"},
    {strings::kHigherPriorityLabel, "Higher Priority Processing"},
    {strings::kAlwaysOnTopLabel, "Always On Top"},
    {strings::kFixedVolumeLabel, "Fixed Volume"},
    {strings::kCompatibilityLabel, "Compatibility"},
    {strings::kMidiPlaybackDeviceLabel, "MIDI Playback Device"},
    {strings::kAsynchronousLabel, "Asynchronous"},
    {strings::kSynchronousLabel, "Synchronous"},
    {strings::kSetupTitle, "Setup"},
    {strings::kSetupClose, "Close"},
    {strings::kGmDrumKit, "GM"},
    {strings::kGsDrumKit, "GS"},

    {strings::kPresetsTitle, "Presets"},
    {strings::kPresetsLoad, "Load"},
    {strings::kPresetsSave, "Save"},
    {strings::kPresetsDelete, "Delete"},
    {strings::kPresetsClose, "Close"},
    {strings::kPresetNameLabel, "Preset name"},

    {strings::kMenuShowVolume, "Show &Volume"},
    {strings::kMenuShowPitch, "Show &Pitch"},
    {strings::kMenuChangeMixer, "&Change Mixer"},
    {strings::kMenuHelp, "&Help"},
    {strings::kMenuVisitWebSite, "Visit our web site..."},
    {strings::kMenuAbout, "&About"},

    {strings::kAboutTitle, "About Voxnote"},
    {strings::kAboutText, "Sound to MIDI converter\n%s"},
    {strings::kAboutOk, "OK"},
};
// ---- end of main window and its dialogs ----

constexpr std::array<const char*, 13> kScaleNames = {
    "CMaj/AMin", "DbMaj/BbMin", "DMaj/BMin", "EbMaj/CMin", "EMaj/C#Min", "FMaj/DMin", "GbMaj/EbMin",
    "GMaj/EMin", "AbMaj/FMin", "AMaj/F#Min", "BbMaj/GMin", "BMaj/G#Min", "Chromatic",
};

// General MIDI percussion, notes 35 to 81.
constexpr int kFirstGmPercussionNote = 35;
constexpr std::array<const char*, 47> kGmPercussionNames = {
    "Acoustic Bass Drum", "Bass Drum 1", "Side Kick", "Acoustic Snare", "Hand Clap", "Electric Snare",
    "Low Floor Tom", "Closed High-Hat", "High Floor Tom", "Pedal High-Hat", "Low Tom", "Open High-Hat",
    "Low-Mid Tom", "High-Mid Tom", "Crash Cymbal 1", "High Tom", "Ride Cymbal 1", "Chinese Cymbal",
    "Ride Bell", "Tambourine", "Splash Cymbal", "Cowbell", "Crash Cymbal 2", "Vibra-slap",
    "Ride Cymbal 2", "High Bongo", "Low Bongo", "Mute High Conga", "Open High Conga", "Low Conga",
    "High Timbale", "Low Timbale", "High Agogo", "Low Agogo", "Cabasa", "Maracas", "Short Whistle",
    "Long Whistle", "Short Guiro", "n/a", "Claves", "High Wood Block", "Low Wood Block", "Mute Cuica",
    "Open Cuica", "Mute Triangle", "Open Triangle",
};

// GS percussion, notes 27 to 87.
constexpr int kFirstGsPercussionNote = 27;
constexpr std::array<const char*, 61> kGsPercussionNames = {
    "High Q", "Slap", "Scratch Push", "Scratch Pull", "Sticks", "Square Click", "Metronome Click",
    "Metronome Bell", "Kick Drum 2", "Kick Drum 1", "Side Stick", "Snare Drum 1", "Hand Clap",
    "Snare Drum 2", "Low Tom 2", "Closed Hi-hat", "Low Tom 1", "Pedal Hi-hat", "Mid Tom 2",
    "Open Hi-hat", "Mid Tom 1", "High Tom 2", "Crash Cymbal 1", "High Tom 1", "Ride Cymbal 1",
    "Chinese Cymbal", "Ride Bell", "Tambourine", "Splash Cymbal", "Cowbell", "Crash Cymbal 2",
    "Vibra-slap", "Ride Cymbal 2", "High Bongo", "Low Bongo", "Mute High Conga", "Open High Conga",
    "Low Conga", "High Timbale", "Low Timbale", "High Agogo", "Low Agogo", "Cabasa", "Maracas",
    "Short High Whistle", "Long Low Whistle", "Short Guiro", "Long Guiro", "Claves", "High Wood Block",
    "Low Wood Block", "Mute Cuica", "Open Cuica", "Mute Triangle", "Open Triangle", "Shaker",
    "Jingle Bell", "Belltree", "Castanets", "Mute Surdo", "Open Surdo",
};

constexpr std::array<const char*, 128> kProgramNames = {
    "Acoustic Grand Piano", "Bright Acoustic Piano", "Electric Grand Piano", "Honky-tonk Piano",
    "Electric Piano 1", "Electric Piano 2", "Harpsichord", "Clavi",
    "Celesta", "Glockenspiel", "Music Box", "Vibraphone",
    "Marimba", "Xylophone", "Tubular Bells", "Dulcimer",
    "Drawbar Organ", "Percussive Organ", "Rock Organ", "Church Organ",
    "Reed Organ", "Accordion", "Harmonica", "Tango Accordion",
    "Acoustic Guitar (nylon)", "Acoustic Guitar (steel)", "Electric Guitar (jazz)", "Electric Guitar (clean)",
    "Electric Guitar (muted)", "Overdriven Guitar", "Distortion Guitar", "Guitar harmonics",
    "Acoustic Bass", "Electric Bass (finger)", "Electric Bass (pick)", "Fretless Bass",
    "Slap Bass 1", "Slap Bass 2", "Synth Bass 1", "Synth Bass 2",
    "Violin", "Viola", "Cello", "Contrabass",
    "Tremolo Strings", "Pizzicato Strings", "Orchestral Harp", "Timpani",
    "String Ensemble 1", "String Ensemble 2", "SynthStrings 1", "SynthStrings 2",
    "Choir Aahs", "Voice Oohs", "Synth Voice", "Orchestra Hit",
    "Trumpet", "Trombone", "Tuba", "Muted Trumpet",
    "French Horn", "Brass Section", "SynthBrass 1", "SynthBrass 2",
    "Soprano Sax", "Alto Sax", "Tenor Sax", "Baritone Sax",
    "Oboe", "English Horn", "Bassoon", "Clarinet",
    "Piccolo", "Flute", "Recorder", "Pan Flute",
    "Blown Bottle", "Shakuhachi", "Whistle", "Ocarina",
    "Lead 1 (square)", "Lead 2 (sawtooth)", "Lead 3 (calliope)", "Lead 4 (chiff)",
    "Lead 5 (charang)", "Lead 6 (voice)", "Lead 7 (fifths)", "Lead 8 (bass + lead)",
    "Pad 1 (new age)", "Pad 2 (warm)", "Pad 3 (polysynth)", "Pad 4 (choir)",
    "Pad 5 (bowed)", "Pad 6 (metallic)", "Pad 7 (halo)", "Pad 8 (sweep)",
    "FX 1 (rain)", "FX 2 (soundtrack)", "FX 3 (crystal)", "FX 4 (atmosphere)",
    "FX 5 (brightness)", "FX 6 (goblins)", "FX 7 (echoes)", "FX 8 (sci-fi)",
    "Sitar", "Banjo", "Shamisen", "Koto",
    "Kalimba", "Bag pipe", "Fiddle", "Shanai",
    "Tinkle Bell", "Agogo", "Steel Drums", "Woodblock",
    "Taiko Drum", "Melodic Tom", "Synth Drum", "Reverse Cymbal",
    "Guitar Fret Noise", "Breath Noise", "Seashore", "Bird Tweet",
    "Telephone Ring", "Helicopter", "Applause", "Gunshot",
};

// ---- MIDI devices and live note output ----
constexpr Entry kMidiDeviceMessages[] = {
    {strings::kBuiltInSynthesizerName, "Built-in General MIDI Synthesizer"},
    {strings::kNoSuchMidiDevice, "There is no such MIDI device."},
    {strings::kMidiDeviceInUse, "The MIDI device is in use."},
    {strings::kNoSoundfontFound,
     "No General MIDI soundfont was found: install the package timgm6mb-soundfont or fluid-soundfont-gm, "
     "or set VOXNOTE_SOUNDFONT to a soundfont file."},
    {strings::kSoundfontUnreadable, "The soundfont \"%s\" can't be read."},
    {strings::kSoundOutputFailed, "The built-in synthesizer's sound output can't be started: %s"},
    {strings::kSynthesizerNotStarted, "The built-in synthesizer can't be started."},
    {strings::kMidiPortGone, "The MIDI port \"%s\" is no longer there."},
    {strings::kMidiPortNotOpened, "The MIDI port \"%s\" can't be opened: %s"},
    {strings::kVirtualPortEntry, "Voxnote (virtual port for other programs)"},
    {strings::kNoSequencerForVirtualPort,
     "The virtual MIDI port \"Voxnote\" is absent: this computer has no ALSA sequencer (/dev/snd/seq) and no "
     "JACK server is running."},
    {strings::kVirtualPortNotOpened, "The virtual MIDI port \"Voxnote\" can't be opened: %s"},
};
// ---- end of MIDI devices and live note output ----

// ---- WAV dialog ----
constexpr Entry kWavDialogTexts[] = {
    {strings::kCannotOpenWaveForPlayback, "Couldn't open the wave file for playback."},
    {strings::kCannotPlayWaveFormat, "Cannot play this wave file.\nIts sound must be PCM with 8 or 16 bit samples."},
    {strings::kNoAudioOutput, "No audio output device was found."},
    {strings::kAudioOutputFailed, "The audio output can't be started: %s"},

    {strings::kWavDialogTitle, "Open"},
    {strings::kWaveFileFilter, "Wave (*.wav)"},
    {strings::kInformationGroup, "Information"},
    {strings::kSampleRateLabel, "Sample Rate:"},
    {strings::kBitsPerSampleLabel, "Bits Per Sample:"},
    {strings::kChannelsLabel, "Channels:"},
    {strings::kDurationLabel, "Duration:"},
    {strings::kPlayGroup, "Play"},
    {strings::kAudioCaption, "Audio"},
    {strings::kMidiCaption, "MIDI"},
    {strings::kStopCaption, "Stop"},
    {strings::kSaveMidiFileCaption, "Save as MIDI file"},
    {strings::kVoiceLabel, "Voice:"},
    {strings::kMidiFileFilter, "MIDI file (*.mid)"},
    {strings::kDetectorLabel, "Detector:"},
    {strings::kClassicDetectorCaption, "Classic"},
    {strings::kPreciseDetectorCaption, "Precise"},
};
// ---- end of WAV dialog ----

template <size_t N>
void AddRun(std::map<int, std::string>& table, int firstId, const std::array<const char*, N>& texts) {
    for (size_t i = 0; i < N; ++i) {
        table.emplace(firstId + static_cast<int>(i), texts[i]);
    }
}

std::map<int, std::string> BuildTable() {
    std::map<int, std::string> table;
    for (const Entry& entry : kMessages) {
        table.emplace(entry.id, entry.text);
    }
    for (const Entry& entry : kMidiDeviceMessages) {
        table.emplace(entry.id, entry.text);
    }
    for (const Entry& entry : kWavDialogTexts) {
        table.emplace(entry.id, entry.text);
    }
    AddRun(table, strings::kFirstScaleName, kScaleNames);
    AddRun(table, kFirstGmPercussionNote, kGmPercussionNames);
    AddRun(table, strings::kFirstGsPercussionEntry + kFirstGsPercussionNote, kGsPercussionNames);
    AddRun(table, strings::kFirstProgramName, kProgramNames);
    for (const Entry& entry : kWindowTexts) {
        table.emplace(entry.id, entry.text);
    }
    return table;
}

}  // namespace

const std::string& Text(int id) {
    static const std::map<int, std::string> table = BuildTable();
    static const std::string empty;
    auto found = table.find(id);
    return found == table.end() ? empty : found->second;
}

std::string FormatText(int id, std::initializer_list<std::string> arguments) {
    const std::string& pattern = Text(id);
    std::string result;
    auto next = arguments.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' && next != arguments.end()) {
            result += *next++;
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

const std::string& ProgramName(int program) {
    return program >= 0 && program < 128 ? Text(strings::kFirstProgramName + program) : Text(-1);
}

const std::string& ScaleName(int scale) {
    return scale >= 0 && scale <= 12 ? Text(strings::kFirstScaleName + scale) : Text(-1);
}

}  // namespace voxnote
