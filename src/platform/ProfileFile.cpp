#include "platform/ProfileFile.h"

#include "platform/AtomicFile.h"
#include "platform/Messages.h"

#include <filesystem>

namespace {

// atoi's rule in 32-bit arithmetic that wraps instead of overflowing, so a
// value written as unsigned ("4294967295") reads back as the same bits.
int ParseProfileInt(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10 + static_cast<uint32_t>(text[i] - '0');
    return static_cast<int>(negative ? 0u - value : value);
}

} // namespace

CProfileFile::CProfileFile(std::string path) : m_strPath(std::move(path)) {}

int CProfileFile::getInt(std::string_view section, std::string_view key, int defaultValue) const
{
    const auto found = value(section, key);
    return found ? ParseProfileInt(*found) : defaultValue;
}

std::string CProfileFile::getString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const
{
    auto found = value(section, key);
    return found ? std::move(*found) : std::string(defaultValue);
}

bool CProfileFile::writeInt(std::string_view section, std::string_view key, int value)
{
    return put(section, key, std::to_string(value));
}

bool CProfileFile::writeString(std::string_view section, std::string_view key,
                               std::string_view value)
{
    return put(section, key, value);
}

void CProfileFile::beginBatch()
{
    if (m_bBatch)
        return;
    auto text = load();
    m_bBatch = true;
    m_bBatchUnreadable = !text;
    m_batch = text ? std::move(*text) : CProfileText{};
}

bool CProfileFile::commitBatch()
{
    if (!m_bBatch)
        return true;
    const bool ok = !m_bBatchUnreadable && store(m_batch);
    m_bBatch = false;
    m_bBatchUnreadable = false;
    m_batch = CProfileText{};
    return ok;
}

std::optional<CProfileText> CProfileFile::load() const
{
    const SmallFile file = ReadSmallFile(m_strPath, kMaxBytes);
    switch (file.status) {
    case SmallFileStatus::Read: return CProfileText::parse(file.content);
    case SmallFileStatus::Missing: return CProfileText::parse({});
    case SmallFileStatus::TooLarge:
        if (!m_bTooLargeShown)
            ShowMessage(StringId::IdsProfileTooLarge, MsgButtons::Ok, MsgIcon::Warning,
                        {m_strPath, std::to_string(kMaxBytes)});
        m_bTooLargeShown = true;
        return std::nullopt;
    case SmallFileStatus::NotRegular:
    case SmallFileStatus::Failed: break;
    }
    return std::nullopt;
}

const std::optional<CProfileText>& CProfileFile::table() const
{
    if (!m_bRead) {
        m_table = load();
        m_bRead = true;
    }
    return m_table;
}

bool CProfileFile::store(const CProfileText& text) const
{
    if (!WriteFileAtomic(m_strPath, text.serialize()))
        return false;
    m_table = text;
    m_bRead = true;
    return true;
}

bool CProfileFile::put(std::string_view section, std::string_view key, std::string_view value)
{
    if (m_bBatch)
        return m_batch.set(section, key, value);
    auto text = load();
    return text && text->set(section, key, value) && store(*text);
}

std::optional<std::string> CProfileFile::value(std::string_view section, std::string_view key) const
{
    if (m_bBatch)
        return m_batch.find(section, key);
    const auto& text = table();
    return text ? text->find(section, key) : std::nullopt;
}
