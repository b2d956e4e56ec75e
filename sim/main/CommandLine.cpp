#include "sim/main/CommandLine.h"

#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace tb::sim {
namespace {

const std::vector<FamilyOption>& OwnOptions() {
    static const std::vector<FamilyOption> options = {
        {"--map", "PATH", "where to write the device map (default: " + DefaultMapPath() + ")"},
        {"--no-pacing", "", "send bytes at once instead of at each line's baud rate"},
        {"--first-com", "N", "hand out COM numbers from N upwards (default 1)"},
        {"--unplugged", "COM", "start with the device on COM pulled out (repeatable; replug COM)"},
        {"--dump-on-exit", "", "print every device's state when stopping"},
        {"--quiet", "", "do not print state changes as they happen"},
        {"--help", "", "show this text"},
    };
    return options;
}

const FamilyOption* FindOption(const std::string& name, const std::vector<Family>& families) {
    for (const auto& option : OwnOptions()) {
        if (option.name == name) return &option;
    }
    for (const auto& family : families) {
        for (const auto& option : family.options) {
            if (option.name == name) return &option;
        }
    }
    return nullptr;
}

void ApplyOwn(SimSettings& settings, const std::string& name, const std::string& value) {
    if (name == "--map")
        settings.mapPath = value;
    else if (name == "--no-pacing")
        settings.pacing = false;
    else if (name == "--first-com")
        settings.firstComNumber = IntOption({{name, {value}}}, name, 1, 1, 256);
    else if (name == "--unplugged")
        settings.unplugged.push_back(IntOption({{name, {value}}}, name, 1, 1, 256));
    else if (name == "--dump-on-exit")
        settings.dumpOnExit = true;
    else if (name == "--quiet")
        settings.quiet = true;
    else if (name == "--help")
        settings.help = true;
}

bool IsOwn(const std::string& name) {
    for (const auto& option : OwnOptions()) {
        if (option.name == name) return true;
    }
    return false;
}

}  // namespace

SimSettings ParseCommandLine(const std::vector<std::string>& args,
                             const std::vector<Family>& families) {
    SimSettings settings;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool inlineValue = false;
        if (auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
            inlineValue = true;
        }
        const FamilyOption* option = FindOption(name, families);
        if (option == nullptr) throw std::invalid_argument("unknown option " + name);
        if (option->valueName.empty() && inlineValue)
            throw std::invalid_argument(name + " takes no value");
        if (!option->valueName.empty() && !inlineValue) {
            if (i + 1 >= args.size()) throw std::invalid_argument(name + " needs a value");
            value = args[++i];
        }
        if (IsOwn(name))
            ApplyOwn(settings, name, value);
        else
            settings.familyOptions[name].push_back(value);
    }
    return settings;
}

std::string Usage(const std::vector<Family>& families) {
    std::string text =
        "usage: trimbench-sim [options]\n"
        "Serves simulated devices on pseudo-terminals and writes the device map that\n"
        "libVk800UsbSerialEx.so reads when TRIMBENCH_DEVICE_MAP names it. Without device\n"
        "options it serves the default bench. SIGUSR1 prints every device's state;\n"
        "standard input takes commands (type help).\n\n";
    auto add = [&text](const FamilyOption& option) {
        std::string left =
            "  " + option.name + (option.valueName.empty() ? "" : " " + option.valueName);
        if (left.size() < 24)
            left.resize(24, ' ');
        else
            left += " ";
        text += left + option.help + "\n";
    };
    for (const auto& option : OwnOptions()) add(option);
    for (const auto& family : families) {
        text += "\n" + family.name + ":\n";
        for (const auto& option : family.options) add(option);
    }
    return text;
}

std::string DefaultMapPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime == '/')
        return std::string(runtime) + "/trimbench-devices.map";
    return "/tmp/trimbench-devices-" + std::to_string(getuid()) + ".map";
}

}  // namespace tb::sim
