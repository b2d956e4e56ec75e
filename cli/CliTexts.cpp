#include "cli/CliTexts.h"

#include <vector>

#include "services/PageServices.h"

namespace tb::cli {

std::string Text(CliText id) { return services::LoadResString(id); }

std::string Text(CliText id, std::initializer_list<std::string_view> args) {
    const std::string format = Text(id);
    const std::vector<std::string_view> values(args);
    std::string result;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char next = i + 1 < format.size() ? format[i + 1] : '\0';
        if (format[i] == '%' && next >= '1' && next <= '9') {
            const std::size_t index = static_cast<std::size_t>(next - '1');
            if (index < values.size()) result += values[index];
            ++i;
        } else {
            result += format[i];
        }
    }
    return result;
}

}  // namespace tb::cli
