#include "pages/history/LocaleEncoding.h"

#include <iconv.h>
#include <langinfo.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>

namespace tb::history {

namespace {

std::string Canonical(const std::string& codeset) {
    std::string name;
    for (char c : codeset) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    return name;
}

bool KeepsUtf8(const std::string& codeset) {
    const std::string name = Canonical(codeset);
    return name.empty() || name == "UTF8" || name == "ANSIX341968" || name == "ASCII" ||
           name == "USASCII";
}

class Converter {
  public:
    explicit Converter(const std::string& codeset)
        : handle_(iconv_open(codeset.c_str(), "UTF-8")) {}
    ~Converter() {
        if (valid()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    std::optional<std::string> Convert(const std::string& text) {
        std::string out;
        std::string input = text;  // iconv takes a non-const input pointer
        char* in = input.data();
        std::size_t inLeft = input.size();
        std::array<char, 256> chunk;
        while (inLeft > 0) {
            char* next = chunk.data();
            std::size_t outLeft = chunk.size();
            const std::size_t done = iconv(handle_, &in, &inLeft, &next, &outLeft);
            out.append(chunk.data(), chunk.size() - outLeft);
            if (done == static_cast<std::size_t>(-1) && errno != E2BIG) return std::nullopt;
        }
        // Shift sequences back to the initial state, for stateful encodings.
        char* next = chunk.data();
        std::size_t outLeft = chunk.size();
        if (iconv(handle_, nullptr, nullptr, &next, &outLeft) == static_cast<std::size_t>(-1)) {
            return std::nullopt;
        }
        out.append(chunk.data(), chunk.size() - outLeft);
        return out;
    }

  private:
    iconv_t handle_;
};

bool IsValidUtf8(const std::string& text) {
    Converter check("UTF-8");
    return check.valid() && check.Convert(text).has_value();
}

}  // namespace

std::optional<std::string> ToEncoding(const std::string& utf8, const std::string& codeset) {
    if (KeepsUtf8(codeset)) {
        if (!IsValidUtf8(utf8)) return std::nullopt;
        return utf8;
    }
    Converter converter(codeset);
    if (!converter.valid()) return std::nullopt;
    return converter.Convert(utf8);
}

std::optional<std::string> ToLocaleEncoding(const std::string& utf8) {
    return ToEncoding(utf8, nl_langinfo(CODESET));
}

}  // namespace tb::history
