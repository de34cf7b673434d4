#pragma once
// The numbered string table: every text that voxnote shows to its user
// (messages, list entries, unit words, captions) is one entry of it, looked up
// by number. Numbers are stable; code names them through the constants below.
//
// Ranges:
//     35 -   81  General MIDI percussion names, entry = note number
//    100 -  199  main window, help and mixer messages
//    200 -  249  presets and settings messages
//    250 -  299  WAV import and conversion messages
//    300 -  349  MIDI output messages and list entries
//    350 -  379  unit words of the WAV information panel
//    400 -  412  scale names, entry = 400 + scale (12 = chromatic)
//    500 -  599  command line: option help and its own messages
//   1000 - 1999  window captions and labels
//   2027 - 2087  GS percussion names, entry = 2000 + note number
//   2093 - 2220  General MIDI program names, entry = 2093 + program
#include <initializer_list>
#include <string>

namespace voxnote {

namespace strings {

// ---- Main window and its dialogs: entries 100-199 and 1000-1199 ----
// Messages of the main window, the presets, help and the mixer.
inline constexpr int kProgramTitle = 100;
inline constexpr int kCouldNotOpenHelp = 101;
inline constexpr int kCouldNotOpenWebSite = 102;
inline constexpr int kReservedPresetName = 103;
inline constexpr int kBrowseForNewMixer = 110;
inline constexpr int kCouldNotOpenMixer = 111;
inline constexpr int kRunSelectedMixer = 112;
inline constexpr int kIsThisTheMixer = 113;
inline constexpr int kChooseMixerTitle = 114;
inline constexpr int kMixerFilterPrograms = 115;
inline constexpr int kMixerFilterAllFiles = 116;

// Setup dialog captions, numbered as the controls they label.
inline constexpr int kTuneCaption = 1016;
inline constexpr int kDoneCaption = 1017;
inline constexpr int kRhythmNoteLabel = 1070;
inline constexpr int kOutputVolumeLabel = 1071;
inline constexpr int kTuningLabel = 1072;
inline constexpr int kDrumKitLabel = 1073;
inline constexpr int kAutoShrinkLabel = 1074;
inline constexpr int kHigherPriorityLabel = 1075;
inline constexpr int kAlwaysOnTopLabel = 1076;
inline constexpr int kFixedVolumeLabel = 1077;
inline constexpr int kCompatibilityLabel = 1078;
inline constexpr int kMidiPlaybackDeviceLabel = 1079;
inline constexpr int kAsynchronousLabel = 1080;
inline constexpr int kSynchronousLabel = 1081;
inline constexpr int kSetupTitle = 1100;
inline constexpr int kSetupClose = 1101;
inline constexpr int kGmDrumKit = 1102;
inline constexpr int kGsDrumKit = 1103;

// Presets dialog.
inline constexpr int kPresetsTitle = 1110;
inline constexpr int kPresetsLoad = 1111;
inline constexpr int kPresetsSave = 1112;
inline constexpr int kPresetsDelete = 1113;
inline constexpr int kPresetsClose = 1114;
inline constexpr int kPresetNameLabel = 1115;

// The pop-up menu of the main window.
inline constexpr int kMenuShowVolume = 1120;
inline constexpr int kMenuShowPitch = 1121;
inline constexpr int kMenuChangeMixer = 1122;
inline constexpr int kMenuHelp = 1123;
inline constexpr int kMenuVisitWebSite = 1124;
inline constexpr int kMenuAbout = 1125;

// About box.
inline constexpr int kAboutTitle = 1130;
inline constexpr int kAboutText = 1131;
inline constexpr int kAboutOk = 1132;
// ---- end of main window and its dialogs ----

// Presets and settings.
inline constexpr int kCouldNotStorePreference = 200;
inline constexpr int kFailedToDeletePreset = 201;
inline constexpr int kCannotDeleteDefaultSettings = 202;
inline constexpr int kUnknownPresetsOperation = 203;

// WAV import and conversion.
inline constexpr int kUnsupportedWaveFormat = 250;
inline constexpr int kMustBeMonoOrStereo = 251;
inline constexpr int kFrequencyShouldBe = 252;
inline constexpr int kSamplesShouldBe16Bit = 253;
inline constexpr int kNoDataChunk = 254;
inline constexpr int kErrorReadingDivision = 255;
inline constexpr int kErrorReadingFinalPart = 256;
inline constexpr int kBufferOverflow = 257;
inline constexpr int kErrorInClose = 258;
inline constexpr int kNoteLimitReached = 259;
inline constexpr int kProblemStoppingAudio = 260;
inline constexpr int kProcessing = 261;
inline constexpr int kNotAWaveFile = 262;

// ---- WAV dialog: entries 270-289 and 1200-1249 ----
// Messages of listening to a file and of saving its notes.
inline constexpr int kCannotOpenWaveForPlayback = 270;
inline constexpr int kCannotPlayWaveFormat = 271;
inline constexpr int kNoAudioOutput = 272;
inline constexpr int kAudioOutputFailed = 273;

// Captions of the WAV dialog and its panel.
inline constexpr int kWavDialogTitle = 1200;
inline constexpr int kWaveFileFilter = 1201;
inline constexpr int kInformationGroup = 1202;
inline constexpr int kSampleRateLabel = 1203;
inline constexpr int kBitsPerSampleLabel = 1204;
inline constexpr int kChannelsLabel = 1205;
inline constexpr int kDurationLabel = 1206;
inline constexpr int kPlayGroup = 1207;
inline constexpr int kAudioCaption = 1208;
inline constexpr int kMidiCaption = 1209;
inline constexpr int kStopCaption = 1210;
inline constexpr int kSaveMidiFileCaption = 1211;
inline constexpr int kVoiceLabel = 1212;
inline constexpr int kMidiFileFilter = 1213;
inline constexpr int kDetectorLabel = 1214;
inline constexpr int kClassicDetectorCaption = 1215;
inline constexpr int kPreciseDetectorCaption = 1216;
// ---- end of WAV dialog ----

// MIDI output.
inline constexpr int kNoNotesDetected = 300;
inline constexpr int kErrorAllocatingMidiData = 301;
inline constexpr int kErrorLockingMidiBuffer = 302;
inline constexpr int kCannotOpenMidiStream = 303;
inline constexpr int kCouldNotSetDivisionTempo = 304;
inline constexpr int kCouldNotPrepareHeader = 305;
inline constexpr int kCouldNotQueueStream = 306;
inline constexpr int kCouldNotStartStream = 307;
inline constexpr int kNoMidiDevices = 308;

// ---- MIDI devices and live note output: entries 320-339 ----
inline constexpr int kBuiltInSynthesizerName = 320;
inline constexpr int kNoSuchMidiDevice = 321;
inline constexpr int kMidiDeviceInUse = 322;
inline constexpr int kNoSoundfontFound = 323;
inline constexpr int kSoundfontUnreadable = 324;
inline constexpr int kSynthesizerNotStarted = 326;
inline constexpr int kMidiPortGone = 327;
inline constexpr int kMidiPortNotOpened = 328;
inline constexpr int kSoundOutputFailed = 329;
inline constexpr int kVirtualPortEntry = 330;
inline constexpr int kNoSequencerForVirtualPort = 331;
inline constexpr int kVirtualPortNotOpened = 332;
// ---- end of MIDI devices and live note output ----

// Unit words of the WAV information panel.
inline constexpr int kUnitHertz = 350;
inline constexpr int kUnitMinute = 351;
inline constexpr int kUnitMinutes = 352;
inline constexpr int kUnitSecond = 353;
inline constexpr int kUnitSeconds = 354;
inline constexpr int kUnitMilliseconds = 355;

// Scale names.
inline constexpr int kFirstScaleName = 400;

// Command line.
inline constexpr int kProgramDescription = 500;
inline constexpr int kConvertDescription = 501;
inline constexpr int kVersionHelp = 502;
inline constexpr int kInputFileHelp = 503;
inline constexpr int kOutputFileHelp = 504;
inline constexpr int kEventsFileHelp = 505;
inline constexpr int kFramesFileHelp = 506;
inline constexpr int kPresetHelp = 507;
inline constexpr int kInputVolumeHelp = 508;
inline constexpr int kGapRatioHelp = 509;
inline constexpr int kNoteStopRatioHelp = 510;
inline constexpr int kOutputVolumeHelp = 511;
inline constexpr int kTuningHelp = 512;
inline constexpr int kMinimumNoteHelp = 513;
inline constexpr int kMaximumNoteHelp = 514;
inline constexpr int kScaleHelp = 515;
inline constexpr int kTransposeHelp = 516;
inline constexpr int kFixedVolumeHelp = 517;
inline constexpr int kRhythmNoteHelp = 518;
inline constexpr int kVoiceHelp = 519;
inline constexpr int kDetectorHelp = 520;
inline constexpr int kCannotOpenInput = 530;
inline constexpr int kCannotWriteFile = 531;
inline constexpr int kNoPresetOfThatName = 532;
inline constexpr int kNoteRangeEmpty = 533;
inline constexpr int kNotesConverted = 534;
inline constexpr int kUnknownCommand = 535;
inline constexpr int kCommandListHeading = 536;
inline constexpr int kOutputExists = 537;
inline constexpr int kFramesNeedClassicDetector = 538;
inline constexpr int kExitStatusHelp = 539;

// Percussion and program names.
inline constexpr int kFirstGsPercussionEntry = 2000;
inline constexpr int kFirstProgramName = 2093;

}  // namespace strings

// The entry's text; an empty string for a number that has no entry.
const std::string& Text(int id);

// Text(id) with each "%s" replaced, in order, by the given arguments.
std::string FormatText(int id, std::initializer_list<std::string> arguments);

// Name of General MIDI program 0-127 ("Acoustic Grand Piano" ...).
const std::string& ProgramName(int program);

// Name of scale 0-12 ("CMaj/AMin" ... "Chromatic").
const std::string& ScaleName(int scale);

}  // namespace voxnote
