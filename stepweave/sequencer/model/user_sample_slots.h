#pragma once
// The settings of the 32 user samples as pattern and song files carry them:
// per sample a file name, a playback frequency in hertz and a pan in
// hundredths of a decibel. The file readers fill them and the writers read
// them through this interface; the wave player's streams implement it, and
// UserSampleTable keeps them as plain data where no streams exist.
//
// Samples are numbered 1..32. An empty slot holds the blank file "Blank.wav"
// at the blank file's own sample rate.
#include <string>
#include <string_view>

#include "stepweave/sound/kit/blank_wave_file.h"

namespace stepweave {

inline constexpr int kUserSampleCount = 32;
// A song file carries samples 1..8 only; 9..32 live in pattern files.
inline constexpr int kSongSampleCount = 8;
// The sample rate of our "Blank.wav".
inline constexpr int kBlankSampleFrequency = 44100;

class UserSampleSlots {
public:
    virtual ~UserSampleSlots() = default;

    virtual std::string FileName(int sample) const = 0;
    virtual int Frequency(int sample) const = 0;
    virtual int Pan(int sample) const = 0;

    // Opens the file in the sample's slot; the blank file empties it. The
    // stream implementation raises the file's errors (a missing or invalid
    // WAV file), labels the sample panel's button with SampleButtonCaption and,
    // for a file other than the blank file, enables the wave player's
    // controls. The base frequency becomes the file's own rate; the pan (and
    // a stream's volume) stay the slot's, as the files carry no other.
    virtual void Load(int sample, const std::string& fileName) = 0;
    // The frequency semitone steps start from.
    virtual void SetBaseFrequency(int sample, int hertz) = 0;
    virtual void SetFrequency(int sample, int hertz) = 0;
    virtual void SetPan(int sample, int pan) = 0;
};

// The file name without the folders before it ("/" or "\" separated, so that
// names written on either kind of system are understood).
std::string_view FileNameWithoutDirectory(std::string_view path);

// True for the blank file, wherever it lies.
bool IsBlankSampleFile(std::string_view path);

// A sample button's caption: the file name without directory, minus its last
// four characters (the extension), cut to 8 characters ("snare_long_name.wav"
// gives "snare_lo").
std::string SampleButtonCaption(std::string_view path);

}  // namespace stepweave
