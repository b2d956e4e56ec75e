// Result codes of one command transaction with a base unit: 0 for success,
// otherwise the step that failed.
#pragma once

namespace tb::client {

enum ResultCode : int {
    kResultOk = 0,
    kResultOpenFailed = 10,     // the link to the base unit could not be opened
    kResultSendFailed = 20,     // sending the command failed
    kResultReceiveFailed = 30,  // receiving the reply failed
    kResultBadFrame = 40,       // marker bytes, length past the received bytes, or check
    kResultNoColon = 41,        // no colon after a command word
    kResultWrongWord = 42,      // the reply's command word differs from the request's
    kResultNoStatus = 43,       // no usable STATUS field
    kResultNoData = 44,         // no DATA field, or one shorter than the caller's block
};

}  // namespace tb::client
