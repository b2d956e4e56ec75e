// A message-box backend for tests: records every box and answers questions
// from a script.
//
// Constructing one installs it for the whole process; destroying it restores
// the backend that was installed before. OK boxes are acknowledged without
// touching the script; each Yes/No box takes the next scripted answer, or the
// default answer (No unless set) when the script is used up.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "services/MessageBox.h"

namespace tb::services {

class ScriptedMessageBoxes : public MessageBoxBackend {
  public:
    ScriptedMessageBoxes();
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

    // Queues the answer for the next Yes/No box.
    void AnswerNext(MsgAnswer answer);
    // The answer once the queue is empty.
    void SetDefaultAnswer(MsgAnswer answer);
    // Runs while a box is "open" (before Show returns), e.g. to check what
    // the caller has or has not done yet.
    void OnShow(std::function<void(const MessageBoxRequest&)> callback);

    std::vector<MessageBoxRequest> Boxes() const;
    std::vector<std::string> Texts() const;
    std::size_t Count() const;
    // The most recent box; throws std::out_of_range when none was shown.
    MessageBoxRequest Last() const;
    std::size_t PendingAnswers() const;
    void Clear();

    MsgAnswer Show(const MessageBoxRequest& request) override;

  private:
    mutable std::mutex mutex_;
    std::vector<MessageBoxRequest> boxes_;
    std::deque<MsgAnswer> script_;
    MsgAnswer defaultAnswer_ = MsgAnswer::No;
    std::function<void(const MessageBoxRequest&)> onShow_;
    // Last, so that the recorder is installed only once it is whole.
    ScopedMessageBoxBackend install_;
};

}  // namespace tb::services
