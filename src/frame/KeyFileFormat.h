// The bytes of the key-definition file. The current layout is a 12-byte
// header (size, count, version 200) and 276-byte entries; the older one, still
// read, a 6-byte header with 16-bit fields and 18-byte entries.
#pragma once

#include "frame/KeyTable.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr size_t kKeyFileReadLimit = 30720; // bytes read at most
inline constexpr size_t kKeyHeaderBytes = 12;
inline constexpr size_t kKeyEntryBytes = 276;
inline constexpr uint32_t kKeyFileVersion = 200;
// A full table. The 79 entries of the traditional 22080-byte limit would
// leave the 80th binding unreadable, so the reader takes this one size more.
inline constexpr size_t kMaxKeyFileBytes = kKeyHeaderBytes + kKeyEntryBytes * CKeyTable::kMaxEntries;
inline constexpr size_t kKeyOperationBytes = 264; // the name with its NUL

// The entries of a consistent file in either layout, or nullopt.
std::optional<std::vector<KeyEntry>> DecodeKeyFile(std::string_view bytes);

// The current layout; an operation name too long for its field is cut.
std::string EncodeKeyFile(std::span<const KeyEntry> entries);
