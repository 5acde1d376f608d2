#include "textpane/KeywordLists.h"

#include <array>

namespace {

template <size_t N>
constexpr std::array<CKeywordRecord, N> Records(const std::array<std::string_view, N>& words)
{
    std::array<CKeywordRecord, N> records{};
    for (size_t i = 0; i < N; ++i) {
        records[i].nLength = static_cast<uint32_t>(words[i].size());
        for (size_t k = 0; k < words[i].size(); ++k)
            records[i].text[k] = words[i][k];
    }
    return records;
}

constexpr std::array<std::string_view, 81> kCWords = {
    "__asm", "__fastcall", "__self", "auto", "float", "__segment", "__based", "for", "__segname",
    "break", "__fortran", "short", "case", "goto", "signed", "__cdecl", "__huge", "sizeof", "char",
    "if", "static", "const", "__inline", "struct", "continue", "int", "switch", "default",
    "__interrupt", "typedef", "do", "__loadds", "union", "double", "long", "unsigned", "else",
    "__near", "void", "enum", "__pascal", "volatile", "__export", "register", "while", "extern",
    "return", "__far", "__saveregs", "#define", "#error", "#include", "#elif", "#if", "#line",
    "#else", "#ifdef", "#pragma", "#endif", "#ifndef", "#undef", "_based", "_segname", "fortran",
    "_fortran", "_cdecl", "cdecl", "huge", "_huge", "_inline", "interrupt", "_interrupt",
    "_loadds", "near", "_near", "pascal", "_pascal", "_export", "far", "_far", "_saveregs"};

constexpr std::array<std::string_view, 15> kCppWords = {
    "class", "operator", "try", "delete", "private", "virtual", "friend", "protected",
    "__multiple_inheritance", "inline", "public", "__single_inheritance", "new", "this",
    "__virtual_inheritance"};

constexpr auto kCRecords = Records(kCWords);
constexpr auto kCppRecords = Records(kCppWords);

} // namespace

std::span<const CKeywordRecord> CKeywords()
{
    return kCRecords;
}

std::span<const CKeywordRecord> CppKeywords()
{
    return kCppRecords;
}
