#pragma once
// The numbered string table: every text that voxnote shows to its user
// (messages, list entries, unit words, captions) is one entry of it, looked up
// by number. Numbers are stable; code names them through the constants below.
//
// Ranges:
//     35 -   81  General MIDI percussion names, entry = note number
//    100 -  199  main window messages                      (reserved)
//    200 -  249  presets and settings messages
//    250 -  299  WAV import and conversion messages
//    300 -  349  MIDI output messages and list entries
//    350 -  379  unit words of the WAV information panel
//    400 -  412  scale names, entry = 400 + scale (12 = chromatic)
//    500 -  599  command line: option help and its own messages
//   1000 - 1999  window captions and labels                (reserved)
//   2027 - 2087  GS percussion names, entry = 2000 + note number
//   2093 - 2220  General MIDI program names, entry = 2093 + program
#include <initializer_list>
#include <string>

namespace voxnote {

namespace strings {

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
inline constexpr int kCannotOpenInput = 530;
inline constexpr int kCannotWriteFile = 531;
inline constexpr int kNoPresetOfThatName = 532;
inline constexpr int kNoteRangeEmpty = 533;
inline constexpr int kNotesConverted = 534;

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
