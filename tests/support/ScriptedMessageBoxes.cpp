#include "tests/support/ScriptedMessageBoxes.h"

#include <stdexcept>
#include <utility>

namespace tb::services {

ScriptedMessageBoxes::ScriptedMessageBoxes() : install_(*this) {}

void ScriptedMessageBoxes::AnswerNext(MsgAnswer answer) {
    std::lock_guard lock(mutex_);
    script_.push_back(answer);
}

void ScriptedMessageBoxes::SetDefaultAnswer(MsgAnswer answer) {
    std::lock_guard lock(mutex_);
    defaultAnswer_ = answer;
}

void ScriptedMessageBoxes::OnShow(std::function<void(const MessageBoxRequest&)> callback) {
    std::lock_guard lock(mutex_);
    onShow_ = std::move(callback);
}

std::vector<MessageBoxRequest> ScriptedMessageBoxes::Boxes() const {
    std::lock_guard lock(mutex_);
    return boxes_;
}

std::vector<std::string> ScriptedMessageBoxes::Texts() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> texts;
    texts.reserve(boxes_.size());
    for (const auto& box : boxes_) texts.push_back(box.text);
    return texts;
}

std::size_t ScriptedMessageBoxes::Count() const {
    std::lock_guard lock(mutex_);
    return boxes_.size();
}

MessageBoxRequest ScriptedMessageBoxes::Last() const {
    std::lock_guard lock(mutex_);
    if (boxes_.empty()) throw std::out_of_range("no message box was shown");
    return boxes_.back();
}

std::size_t ScriptedMessageBoxes::PendingAnswers() const {
    std::lock_guard lock(mutex_);
    return script_.size();
}

void ScriptedMessageBoxes::Clear() {
    std::lock_guard lock(mutex_);
    boxes_.clear();
    script_.clear();
}

MsgAnswer ScriptedMessageBoxes::Show(const MessageBoxRequest& request) {
    std::function<void(const MessageBoxRequest&)> onShow;
    MsgAnswer answer = MsgAnswer::Ok;
    {
        std::lock_guard lock(mutex_);
        boxes_.push_back(request);
        onShow = onShow_;
        if (request.buttons == MsgButtons::YesNo) {
            answer = defaultAnswer_;
            if (!script_.empty()) {
                answer = script_.front();
                script_.pop_front();
            }
        }
    }
    // Outside the lock: the callback may inspect this recorder.
    if (onShow) onShow(request);
    return answer;
}

}  // namespace tb::services
