#include "modelcom/lgr875/Lgr875Library.h"

#include "modelcom/ResultCodes.h"
#include "platform/DeviceIds.h"

namespace tb::modelcom {

namespace {

std::string Lgr875VidPid() {
    tb::platform::DeviceIds ids = tb::platform::LoadDeviceIds();
    return tb::platform::FormatVidPid(ids.lgr875Vendor, ids.lgr875Product);
}

const ModelProfile kLgr875Profile{
    .typeCode = kLgr875TypeCode,
    .wrongTypeCode = -23,
    .runtimeMissingCode = -24,
    .status35Code = kRefusedOther,  // -10: this model has no code of its own for 0x35
    .nameCopy = NameCopy::kRawBytes,
    .vidPid = &Lgr875VidPid,
};

}  // namespace

ModelLibrary& Lgr875Library() {
    static ModelLibrary library(kLgr875Profile);
    return library;
}

}  // namespace tb::modelcom
