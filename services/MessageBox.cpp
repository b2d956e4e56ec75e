#include "services/MessageBox.h"

#include <atomic>
#include <cstdio>

#include "services/PageServices.h"

namespace tb::services {
namespace {

const char* IconName(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Question:
            return "question";
        case MsgIcon::Information:
            return "information";
        case MsgIcon::Warning:
        case MsgIcon::Default:
            break;
    }
    return "warning";
}

// Used while no window (and no test) has installed a backend: the box goes
// to standard error and every question is answered No, so nothing is ever
// written to a device without an explicit Yes.
class StderrBackend : public MessageBoxBackend {
  public:
    MsgAnswer Show(const MessageBoxRequest& request) override {
        std::fprintf(stderr, "[%s] %s: %s\n", IconName(request.icon), request.title.c_str(),
                     request.text.c_str());
        return request.buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
    }
};

std::atomic<int>& LastId() {
    static std::atomic<int> id{0};
    return id;
}

}  // namespace

std::atomic<MessageBoxBackend*>& InstalledMessageBoxBackend() {
    static std::atomic<MessageBoxBackend*> backend{nullptr};
    return backend;
}

void SetMessageBoxBackend(MessageBoxBackend* backend) {
    InstalledMessageBoxBackend().store(backend);
}

MessageBoxBackend* CurrentMessageBoxBackend() {
    static StderrBackend fallback;
    MessageBoxBackend* backend = InstalledMessageBoxBackend().load();
    return backend ? backend : &fallback;
}

MsgIcon ResolveIcon(MsgButtons buttons, MsgIcon icon) {
    if (icon != MsgIcon::Default) return icon;
    return buttons == MsgButtons::YesNo ? MsgIcon::Question : MsgIcon::Warning;
}

MsgAnswer ShowMessage(const std::string& text, MsgButtons buttons, MsgIcon icon, int stringId) {
    MessageBoxRequest request;
    request.stringId = stringId;
    request.title = kMessageBoxTitle;
    request.text = text;
    request.buttons = buttons;
    request.icon = ResolveIcon(buttons, icon);
    MsgAnswer answer = CurrentMessageBoxBackend()->Show(request);
    // An OK box can only be acknowledged; a question is Yes only when it says Yes.
    if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
    return answer == MsgAnswer::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}

MsgAnswer ShowMessageId(int stringId, MsgButtons buttons, MsgIcon icon) {
    LastId().store(stringId);
    return ShowMessage(LoadResString(stringId), buttons, icon, stringId);
}

int LastMessageId() { return LastId().load(); }

void ClearLastMessageId() { LastId().store(0); }

}  // namespace tb::services
