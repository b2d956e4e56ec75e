// Text in a Windows code page: the system code page (CP_ACP, 932 on a
// Japanese Windows) for the history log, as it has always been written.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "pages/history/LocaleEncoding.h"
#include "platform/WideText.h"

namespace tb::history {

namespace {

std::string Canonical(const std::string& codeset) {
    std::string name;
    for (char c : codeset) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return name;
}

// The code page of a codeset name (as iconv spells them, or "CP<number>");
// 0 for one this program does not know.
UINT CodePageOf(const std::string& codeset) {
    const std::string name = Canonical(codeset);
    if (name == "SHIFTJIS" || name == "SJIS" || name == "CP932" || name == "WINDOWS31J" ||
        name == "MS932")
        return 932;
    if (name == "EUCJP") return 20932;
    if (name == "ISO88591" || name == "LATIN1") return 28591;
    if (name == "CP1252" || name == "WINDOWS1252") return 1252;
    if (name.size() > 2 && name.compare(0, 2, "CP") == 0 &&
        std::all_of(name.begin() + 2, name.end(),
                    [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }) &&
        name.size() <= 7) {
        return static_cast<UINT>(std::stoul(name.substr(2)));
    }
    return 0;
}

bool KeepsUtf8(const std::string& codeset) {
    const std::string name = Canonical(codeset);
    return name.empty() || name == "UTF8" || name == "CP65001" || name == "ANSIX341968" ||
           name == "ASCII" || name == "USASCII";
}

// Nothing when a character has no form in the code page: no '?' stands in
// for it, and no look-alike ("best fit") either.
std::optional<std::string> ToCodePage(const std::wstring& text, UINT codePage) {
    if (text.empty()) return std::string();
    BOOL defaulted = FALSE;
    const DWORD flags = WC_NO_BEST_FIT_CHARS;
    const int length =
        WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0,
                            nullptr, &defaulted);
    if (length <= 0 || defaulted) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), bytes.data(),
                        length, nullptr, &defaulted);
    if (defaulted) return std::nullopt;
    return bytes;
}

std::optional<std::string> ToPage(const std::string& utf8, UINT codePage) {
    const std::optional<std::wstring> wide = platform::StrictWide(utf8);
    if (!wide) return std::nullopt;
    if (codePage == CP_UTF8) return utf8;
    return ToCodePage(*wide, codePage);
}

}  // namespace

std::optional<std::string> ToEncoding(const std::string& utf8, const std::string& codeset) {
    if (KeepsUtf8(codeset)) return ToPage(utf8, CP_UTF8);
    const UINT codePage = CodePageOf(codeset);
    if (codePage == 0 || !IsValidCodePage(codePage)) return std::nullopt;
    return ToPage(utf8, codePage);
}

std::optional<std::string> ToLocaleEncoding(const std::string& utf8) {
    return ToPage(utf8, GetACP());
}

}  // namespace tb::history
