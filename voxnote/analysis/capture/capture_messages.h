#pragma once
// Every text that live capture shows its user, in one place, so that the
// program's string table can take them over as they are. Each is shown in a
// message box titled "Voxnote" with the exclamation icon.
#include <string>

namespace voxnote {

enum class CaptureMessage {
    // Start-up.
    MaxFormatSize,
    FormatAllocation,
    DetectorAllocation,
    DetectorLock,
    EventSlotAllocation,
    EventSlotLock,
    FormatLock,
    FormatTagDetails,
    FormatDetails,
    NoMicrophone,
    NoRecordingDevices,
    HeaderAllocation,
    HeaderLock,
    BufferAllocation,
    // A live run.
    OpenFailed,
    PrepareFailed,
    StartFailed,
    ResetFailed,
    UnprepareFailed,
    CloseFailed,
    AddBufferFailed,
    PositionFailed,
    UnknownPositionType,
    BufferOverflow,
    FlushFailed,
    OverloadQuestion,  // a Yes/No question
};

const std::string& CaptureMessageText(CaptureMessage message);

}  // namespace voxnote
