// Collects what one page operation did and hands it to the adjustment
// recorder when the operation ends, whichever way it ends.
//
// A page creates one once it has found its logger, fills in what it reads,
// enters and writes, and marks success; the destructor takes the last
// numbered message shown as the outcome and records. Every page uses the
// same shape:
//
//   OperationRecord record(PageOperation::Send, DialogId(), unit);
//   record.Identify(...);                     // only costs a query when recording
//   record.Channel(0, "CH1").asFound = ...;
//   ...
//   record.Succeeded();
#pragma once

#include <functional>
#include <string>

#include "pages/AdjustmentRecord.h"
#include "pages/CorrectionFormula.h"

namespace tb::pages {

class OperationRecord {
  public:
    // The page and its models are named after the page's dialog.
    OperationRecord(PageOperation operation, int dialogId, int tempUnit);
    ~OperationRecord();
    OperationRecord(const OperationRecord&) = delete;
    OperationRecord& operator=(const OperationRecord&) = delete;

    // True when a recorder is installed: work done only for the record
    // (an extra read, an identity query) is skipped otherwise.
    bool Active() const { return active_; }

    // Runs the identity queries only when recording.
    void Identify(const std::function<std::string()>& unitSerial,
                  const std::function<std::string()>& loggerSerial = {});

    // The channel at index, created with its name on first use.
    ChannelRecord& Channel(std::size_t index, const std::string& name);

    AdjustmentRecord& Data() { return record_; }
    void Succeeded() { record_.success = true; }
    void SetResultCode(int code) { record_.resultCode = code; }
    // A refusal shown as a composed text: its numbered message, since the
    // box itself carries no number.
    void Refused(int messageId) { refusal_ = messageId; }

  private:
    bool active_;
    int refusal_ = 0;
    AdjustmentRecord record_;
};

// The limits of a check kind as a record carries them.
AppliedLimits LimitsRecord(CheckKind kind);

// The entered points as typed: before 1, after 1 and, for two points,
// before 2, after 2.
std::vector<std::string> EnteredPoints(bool twoPoint, const std::string& before1,
                                       const std::string& after1, const std::string& before2,
                                       const std::string& after2);

}  // namespace tb::pages
