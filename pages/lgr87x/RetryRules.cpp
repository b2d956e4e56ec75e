#include "pages/lgr87x/RetryRules.h"

#include "services/PageServices.h"

namespace tb::pages::lgr87x {

int CallWithReadRetry(const std::function<int()>& call) {
    int code = 0;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        code = call();
        if (code == 0) break;
        services::PumpWait(kReadRetryMs);
    }
    return code;
}

int CallWithWriteRetry(const std::function<int()>& call) {
    int code = 0;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        code = call();
        if (code == 0 || code == kRecordingCode) break;
        services::PumpWait(kWriteRetryMs);
    }
    return code;
}

}  // namespace tb::pages::lgr87x
