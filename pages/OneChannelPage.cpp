#include "pages/OneChannelPage.h"

namespace tb::pages {
namespace {

using namespace one_channel;

constexpr ChannelIds kChannel{kAdjustChannel, kOnePoint,    kTwoPoint,   kBefore1,
                              kAfter1,        kBefore2,     kAfter2,     kUnitBefore1,
                              kUnitAfter1,    kUnitBefore2, kUnitAfter2, kCurrentLine};

}  // namespace

COneChannelPage::COneChannelPage(int dialogId, std::unique_ptr<BaseUnitLogger> logger)
    : CBaseUnitPage(dialogId, std::move(logger), {kChannel}) {}

}  // namespace tb::pages
