// An INI file with the semantics of the Windows private-profile functions:
// section and key names compare case-insensitively, a missing file or key
// gives the default, a write keeps every other section and key (and their
// order), integers are signed decimal text. Values are stored as raw bytes.
#pragma once

#include "platform/ProfileText.h"

#include <optional>
#include <string>
#include <string_view>

class CProfileFile
{
public:
    explicit CProfileFile(std::string path);

    const std::string& path() const { return m_strPath; }

    // The largest profile read; a larger one gives the defaults and one
    // message, and is never written over.
    static constexpr size_t kMaxBytes = 1 << 20;

    // The file is read once, at the first read, into a parsed table that
    // serves every later read (during a batch, the batch does). A profile
    // that is not a regular file reads as missing. An integer is read like
    // atoi: leading blanks, a sign, the decimal digits; anything after them
    // is ignored, no digits give 0.
    int getInt(std::string_view section, std::string_view key, int defaultValue) const;
    std::string getString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;

    // Each write reads the file again (so that what another program wrote
    // meanwhile is kept), rewrites it at once (through a temporary file and a
    // rename) and updates the table; answers false when the file could not
    // be written or is not a regular file of at most kMaxBytes.
    [[nodiscard]] bool writeInt(std::string_view section, std::string_view key, int value);
    [[nodiscard]] bool writeString(std::string_view section, std::string_view key,
                                   std::string_view value);

    // Several writes in one rewrite: begin, write..., commit. Writes in a
    // batch answer true unless refused; commit answers whether the file was written.
    void beginBatch();
    [[nodiscard]] bool commitBatch();

private:
    // nullopt when the file exists but cannot be read, is too large or is no
    // regular file: writing then would lose it.
    std::optional<CProfileText> load() const;
    const std::optional<CProfileText>& table() const;
    [[nodiscard]] bool store(const CProfileText& text) const;
    [[nodiscard]] bool put(std::string_view section, std::string_view key, std::string_view value);
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    std::string m_strPath;
    bool m_bBatch = false;
    bool m_bBatchUnreadable = false;
    CProfileText m_batch;
    mutable bool m_bRead = false;                // the table has been read
    mutable bool m_bTooLargeShown = false;       // the size message is shown once
    mutable std::optional<CProfileText> m_table; // what the last read or write found
};
