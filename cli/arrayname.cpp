#include "cli/arrayname.h"

#include "engine/numberrules.h"

#include <algorithm>
#include <filesystem>

namespace tintwright {
namespace {

// The keywords of C23 and C++20, each with a space either side; none can name an array.
constexpr std::string_view keywords =
    " _Alignas _Alignof _Atomic _BitInt _Bool _Complex _Decimal128 _Decimal32 _Decimal64 "
    "_Generic _Imaginary _Noreturn _Static_assert _Thread_local alignas alignof and and_eq "
    "asm auto bitand bitor bool break case catch char char16_t char32_t char8_t class "
    "co_await co_return co_yield compl concept const const_cast consteval constexpr constinit "
    "continue decltype default delete do double dynamic_cast else enum explicit export extern "
    "false float for friend goto if inline int long mutable namespace new noexcept not not_eq "
    "nullptr operator or or_eq private protected public register reinterpret_cast requires "
    "restrict return short signed sizeof static static_assert static_cast struct switch "
    "template this thread_local throw true try typedef typeid typename typeof typeof_unqual "
    "union unsigned using virtual void volatile wchar_t while xor xor_eq ";

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

} // namespace

std::optional<std::string_view> nameProblem(std::string_view name, std::string_view elementType) {
    if (name.empty() || !isLetter(name.front()) ||
        !std::all_of(name.begin(), name.end(), [](char c) { return isLetter(c) || isDigit(c); })) {
        return "is not a C identifier";
    }
    if (keywords.find(" " + std::string(name) + " ") != std::string_view::npos) {
        return "is a C or C++ keyword";
    }
    if (name.starts_with("__") ||
        (name[0] == '_' && name.size() > 1 && name[1] >= 'A' && name[1] <= 'Z')) {
        return "is reserved for the compiler (it starts with __ or _ and a capital)";
    }
    if (name == elementType) {
        return "is the element type";
    }
    return std::nullopt;
}

std::string nameFromFile(const std::string& path) {
    // As UTF-8 on every system: a narrow path would go through Windows' code page.
    const std::u8string stem =
        std::filesystem::path(
            std::u8string_view(reinterpret_cast<const char8_t*>(path.data()), path.size()))
            .stem()
            .u8string();
    std::string name = !stem.empty() && isDigit(static_cast<char>(stem.front())) ? "_" : "";
    for (const char8_t unit : stem) {
        const auto c = static_cast<char>(unit);
        // A character of several UTF-8 bytes becomes one "_", made from its lead byte.
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            name.push_back(isLetter(c) || isDigit(c) ? c : '_');
        }
    }
    return name;
}

} // namespace tintwright
