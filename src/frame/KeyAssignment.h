// The rules of the keyboard page, where the user binds keys to commands:
// which key texts and modifier combinations may be added, and the bindings of
// one command as the page lists them.
#pragma once

#include "frame/KeyTable.h"

#include <string>
#include <string_view>
#include <vector>

// What the page makes of a typed key and the modifier boxes.
struct NewKeyCheck
{
    enum class Result { Ok, BadText, Refused };
    Result result = Result::BadText;
    uint8_t virtualKey = 0;
};
// BadText unless the text is exactly one of the assignable key names (at
// most 8 characters); Refused for a bare key other than F2 to F12 and for
// Shift alone with a letter or digit, which typing needs.
NewKeyCheck CheckNewKey(std::string_view text, uint8_t modifiers);

// The key names of the bindings of this kind and command, in table order.
std::vector<std::string> BoundKeyNames(const CKeyTable& table, KeyKind kind, uint16_t id);

// Removes the binding of this kind and command whose key name is keyName;
// false when there is none.
[[nodiscard]] bool RemoveBoundKey(CKeyTable& table, KeyKind kind, uint16_t id, std::string_view keyName);
