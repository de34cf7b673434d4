#pragma once
// The thirty-two user samples "Sample1".."Sample32": one streamed WAV file
// each, all on the wave player's sound device. Every slot starts with the
// silent "Blank.wav" of the start folder. A slot keeps the file name as the
// program was given it (relative names are found in the start folder), its
// base frequency (the file's own rate, from which semitone steps count) and
// its semitone offset in cents; pan, volume and frequency live in the stream.
//
// The pattern and song files reach the slots through UserSampleSlots.
//
// Main thread only.
#include <array>
#include <memory>
#include <string>

#include "stepweave/sequencer/model/user_sample_slots.h"

namespace stepweave {

class AudioFileStream;
class SoundDevice;

// "temp\Sample1.wav": where every file opened in the wave player is copied.
inline constexpr const char* kOpenedSampleCopy = "Sample1.wav";
inline constexpr int kCentsPerSemitone = 100;

// round-to-nearest(base x 2^(cents / 1200)): two semitones up from 22050 Hz
// give 24750 Hz.
int SemitoneFrequency(int baseFrequency, int cents);

class UserSamples : public UserSampleSlots {
public:
    // Thirty-two closed streams on the device, named "Blank.wav".
    UserSamples(SoundDevice& device, std::string startDirectory);
    // What the wave player does when it is created: opens "Blank.wav" of the
    // start folder in every stream and asks the device for 44100 Hz stereo
    // output. A blank file that cannot be opened fails with its
    // error; the slots then stay closed and silent.
    void OpenBlankFiles();
    ~UserSamples() override;
    UserSamples(const UserSamples&) = delete;
    UserSamples& operator=(const UserSamples&) = delete;

    // UserSampleSlots. Loading a file (as a song or pattern names it) keeps
    // the slot's pan and volume, which belong to the slot, not to the file;
    // its frequency and base frequency become the file's rate and the
    // semitone offset 0. A file that cannot be opened leaves the slot silent
    // (holding the blank file) but keeps the name it was given, so that
    // saving again loses no reference; its error is raised.
    std::string FileName(int sample) const override;
    int Frequency(int sample) const override;
    int Pan(int sample) const override;
    void Load(int sample, const std::string& fileName) override;
    void SetBaseFrequency(int sample, int hertz) override;
    void SetFrequency(int sample, int hertz) override;
    void SetPan(int sample, int pan) override;

    int BaseFrequency(int sample) const { return Slot(sample).baseFrequency; }
    int SemitoneOffset(int sample) const { return Slot(sample).semitoneOffset; }
    int Volume(int sample) const;
    void SetVolume(int sample, int volume);
    // Whether the slot holds a file of the user's rather than the blank one.
    bool HoldsSample(int sample) const;
    bool Playing(int sample) const;
    AudioFileStream& Stream(int sample) const { return *Slot(sample).stream; }

    // From the beginning, cutting itself off if it still sounds (one voice
    // per sample). AudioStreamError when the slot has no wave at all.
    void Restart(int sample);
    void Stop(int sample);

    // The wave player's Open: loads the file into the slot and copies it to
    // "temp\Sample1.wav" in the start folder (replacing the copy before).
    // The file the slot holds already keeps the slot's pan and volume;
    // another starts centred at full volume. A file that cannot be opened
    // raises its error and leaves the slot as it was, its sound and name.
    void OpenFile(int sample, const std::string& path);

    // The semitone arrows: the offset moves by 100 cents, the frequency
    // follows the semitone rule and the sample plays from its beginning.
    // With the blank file loaded they do nothing and return false.
    bool SemitoneUp(int sample) { return StepSemitone(sample, kCentsPerSemitone); }
    bool SemitoneDown(int sample) { return StepSemitone(sample, -kCentsPerSemitone); }

    // Where a file name given to a slot is opened from.
    std::string ResolvedPath(const std::string& fileName) const;

private:
    struct UserSample {
        std::unique_ptr<AudioFileStream> stream;
        std::string fileName{kBlankWaveFileName};
        int baseFrequency = kBlankSampleFrequency;
        int semitoneOffset = 0;
    };

    const UserSample& Slot(int sample) const;
    UserSample& Slot(int sample);
    std::unique_ptr<AudioFileStream> StreamOn(const std::string& fileName, const AudioFileStream* controlsFrom);
    void Replace(UserSample& slot, std::unique_ptr<AudioFileStream> stream, const std::string& fileName);
    void HoldSilently(UserSample& slot, const std::string& fileName);
    void OpenBlank(UserSample& slot);
    bool StepSemitone(int sample, int cents);

    SoundDevice& device_;
    std::string startDirectory_;
    std::array<UserSample, kUserSampleCount> samples_;
};

}  // namespace stepweave
