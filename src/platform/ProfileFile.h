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

    // Reads are served from the file as it is on disk now (during a batch,
    // from the batch). An integer is read like atoi: leading blanks, a sign,
    // the decimal digits; anything after them is ignored, no digits give 0.
    int getInt(std::string_view section, std::string_view key, int defaultValue) const;
    std::string getString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;

    // Each write rewrites the file at once (through a temporary file and a
    // rename); answers false when the file could not be written.
    [[nodiscard]] bool writeInt(std::string_view section, std::string_view key, int value);
    [[nodiscard]] bool writeString(std::string_view section, std::string_view key,
                                   std::string_view value);

    // Several writes in one rewrite: begin, write..., commit. Writes in a
    // batch answer true unless refused; commit answers whether the file was written.
    void beginBatch();
    [[nodiscard]] bool commitBatch();

private:
    // nullopt when the file exists but cannot be read: writing then would lose it.
    std::optional<CProfileText> load() const;
    [[nodiscard]] bool store(const CProfileText& text) const;
    [[nodiscard]] bool put(std::string_view section, std::string_view key, std::string_view value);
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    std::string m_strPath;
    bool m_bBatch = false;
    bool m_bBatchUnreadable = false;
    CProfileText m_batch;
};
