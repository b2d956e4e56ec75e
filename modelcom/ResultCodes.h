// Result codes of the direct-USB model libraries. Every export returns 0 (or
// a positive count) on success and one of these on failure.
#pragma once

namespace tb::modelcom {

enum ResultCode : int {
    kOk = 0,
    kNotListedOrCannotOpen = -2,
    kPortBusy = -3,
    kSendFailed = -4,
    kReplyLengthWrong = -5,
    kReplyNotFramed = -6,
    kReplyOtherCommand = -7,
    kRefused = -8,
    kRefusedRecording = -9,
    kRefusedOther = -10,
    kLengthFieldWrong = -11,
    kCheckWrong = -12,
    kBlockOutOfSequence = -13,
    kRefused35 = -14,
    kDownloadCancelled = -15,
    kLatchBitClear = -20,
    kLatchUnreadable = -21,
    kInnerReplyWrong = -22,  // 875: the sensor module's reply; 870: wrong type code
    kArgumentError = -30,
    kNoRecordedData = -31,
    kListEntryFailed = -32,
    kNoDownloadRunning = -33,
};

}  // namespace tb::modelcom
