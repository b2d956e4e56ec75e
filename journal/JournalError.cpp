#include "journal/JournalError.h"

#include "resources/StringIds.h"
#include "services/FormatText.h"
#include "services/PageServices.h"

namespace tb::journal {

JournalError GivenReason(std::string reason) {
    return {resources::strings::kMsgGivenReason, {std::move(reason)}};
}

std::string JournalErrorText(const JournalError& error) {
    if (!error) return {};
    auto value = [&](std::size_t i) -> std::string_view {
        return i < error.values.size() ? std::string_view(error.values[i]) : std::string_view();
    };
    static_assert(kMaxErrorValues == 3, "one argument below per value");
    return services::FormatText(services::LoadResString(error.text), {value(0), value(1), value(2)});
}

}  // namespace tb::journal
