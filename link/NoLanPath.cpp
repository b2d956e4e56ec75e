// The build without a LAN path: opens fail with the code of a failed LAN
// connection, so no LAN entry ever exists and the other calls are unreachable.
#include "link/LanPath.h"
#include "link/LinkLibrary.h"
#include "link/ResultCodes.h"

namespace tb::link {
namespace {

class NoLanPath final : public LanPath {
  public:
    explicit NoLanPath(LinkLibrary& link) : link_(link) {}

    int Open(const char* host, int port, const char*, uint32_t, uint32_t* key) override {
        if (key) *key = 0;
        link_.Log("<!>LAN path not available(%s[%d])", host ? host : "", port);
        return kLanConnectFailed;
    }
    int Send(MngEntry&, const uint8_t*, int) override { return kSendFailed; }
    void Receive(MngEntry& entry) override { entry.result = kLanConnectFailed; }
    int DefaultTimeoutSec() const override { return 10; }
    int ClearCommBuf(MngEntry&, int) override { return 0; }
    int Close(MngEntry& entry) override {
        entry.TrFlg = kTransportClosed;
        return 0;
    }
    void DismissDialog(MngEntry&) override {}
    void EndWorker(MngEntry&) override {}
    void Unload() override {}

  private:
    LinkLibrary& link_;
};

}  // namespace

std::unique_ptr<LanPath> MakeLanPath(LinkLibrary& link) {
    return std::make_unique<NoLanPath>(link);
}

}  // namespace tb::link
