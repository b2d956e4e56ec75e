#include "modelcom/lgr870/Lgr870Library.h"

#include "modelcom/ResultCodes.h"
#include "platform/DeviceIds.h"

namespace tb::modelcom {

namespace {

std::string Lgr870VidPid() {
    tb::platform::DeviceIds ids = tb::platform::LoadDeviceIds();
    return tb::platform::FormatVidPid(ids.lgr870Vendor, ids.lgr870Product);
}

const ModelProfile kLgr870Profile{
    .typeCode = kLgr870TypeCode,
    .wrongTypeCode = kInnerReplyWrong,  // -22
    .runtimeMissingCode = -23,
    .status35Code = kRefused35,
    .nameCopy = NameCopy::kText,
    .vidPid = &Lgr870VidPid,
};

}  // namespace

ModelLibrary& Lgr870Library() {
    static ModelLibrary library(kLgr870Profile);
    return library;
}

}  // namespace tb::modelcom
