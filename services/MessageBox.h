// The program's single message-box routine.
//
// Every box has the title "Trimbench2". A box whose caller names no icon gets
// the warning icon when it has an OK button and the question icon when it has
// Yes/No buttons. The backend is replaceable: the window installs the Qt
// backend, tests install a scripted one that records every box.
#pragma once

#include <atomic>
#include <string>

#include "platform/ScopedSwap.h"

namespace tb::services {

inline constexpr const char* kMessageBoxTitle = "Trimbench2";

enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { Default, Warning, Question, Information };
enum class MsgAnswer { Ok, Yes, No };

// One box as the backend receives it; the icon is already resolved (never Default).
struct MessageBoxRequest {
    std::string title;
    std::string text;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::Warning;
    // The numbered string the text was made from (0: none), so that whoever
    // shows the box knows which message it is without reading its text.
    int stringId = 0;
};

class MessageBoxBackend {
public:
    virtual ~MessageBoxBackend() = default;
    virtual MsgAnswer Show(const MessageBoxRequest& request) = 0;
};

// Installs the backend for the whole process; nullptr restores the fallback,
// which prints the box to standard error and answers No to every question
// (so nothing is ever written without an explicit Yes).
void SetMessageBoxBackend(MessageBoxBackend* backend);
MessageBoxBackend* CurrentMessageBoxBackend();

// The installed backend (nullptr: the fallback).
std::atomic<MessageBoxBackend*>& InstalledMessageBoxBackend();

// Installs a backend for the lifetime of the object and restores the
// previous one afterwards.
using ScopedMessageBoxBackend = platform::ScopedSwap<&InstalledMessageBoxBackend>;

// Applies the default icon rule.
MsgIcon ResolveIcon(MsgButtons buttons, MsgIcon icon);

// `stringId` names the numbered string a composed text was made from.
MsgAnswer ShowMessage(const std::string& text, MsgButtons buttons = MsgButtons::Ok,
                      MsgIcon icon = MsgIcon::Default, int stringId = 0);
// The same with the text of a numbered string.
MsgAnswer ShowMessageId(int stringId, MsgButtons buttons = MsgButtons::Ok,
                        MsgIcon icon = MsgIcon::Default);

// The id of the last numbered message shown through ShowMessageId since the
// last clear, 0 when none was. A page operation clears it when it starts and
// reads it when it ends, to record how it ended.
int LastMessageId();
void ClearLastMessageId();

}  // namespace tb::services
