// The attribute side file of a text document: its line marks and tags, kept
// beside the data file under a name with the extension "ATR".
//
// Layout (little-endian): the 30-byte magic; mark count M (16 bits, 0 to 100)
// and M marks of 32 bits; tag count T (16 bits, 0 to 100) and T records of
// offset (32 bits), name bytes and one NUL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CLumoDoc;

class CAttributeFile
{
public:
    static constexpr char kMagic[] = "KOV Tabix Attribute File 100\r\n";
    static constexpr size_t kMagicSize = sizeof kMagic - 1;
    static constexpr size_t kBufferSize = 30'720; // at most this much is read

    enum class Probe { None, Ours, Foreign };
    enum class ParseResult { NotOurs, Accepted, Rejected };

    explicit CAttributeFile(CLumoDoc& doc) : m_doc(doc) {}

    // The attribute file's name for a data file; nothing when the data file
    // itself has the extension "ATR". Only the file-name part is looked at.
    static std::optional<std::string> NameFor(const std::string& dataPath);

    // After a successful load: takes the marks and tags over, or none of them
    // (with a message) when they do not fit the document. Never fails the load.
    void Read(const std::string& dataPath);
    // After the data file was written: writes, keeps or deletes the side file
    // as the save switches and the document's marks and tags demand. False
    // (after a message or a declined question) when the save must fail.
    [[nodiscard]] bool Write(const std::string& dataPath);

    // The record as written, and its reader working on bytes already read.
    std::vector<uint8_t> Build() const;
    ParseResult Parse(const uint8_t* bytes, size_t n);

    static Probe ProbeFile(const std::string& name);

private:
    CLumoDoc& m_doc;
};
