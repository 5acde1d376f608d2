// The document's file work: loading and storing the bytes, open, save,
// the save prompt and the Save, Save As and Close commands.
#include "doc/CLumoDoc.h"

#include "app/Settings.h"
#include "doc/AttributeFile.h"
#include "platform/CAtomicFileWriter.h"
#include "doc/DocumentUi.h"
#include "doc/TextNormaliser.h"
#include "platform/Messages.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr uint32_t kLoadChunk = 65'536;
constexpr uint32_t kStoreChunk = 30'720;

// Reads exactly n bytes; a short read (an error, or a file that shrank
// under us) is a failure.
bool ReadFully(std::FILE* file, uint8_t* dst, uint32_t n)
{
    return std::fread(dst, 1, n, file) == n;
}

// Byte index at which UTF-8 character number `chars` begins (the size when there are fewer).
size_t ByteIndexOfChar(const std::string& s, size_t chars)
{
    size_t i = 0;
    for (size_t seen = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) == 0x80)
            continue;
        if (seen++ == chars)
            break;
    }
    return i;
}

} // namespace

bool CLumoDoc::LoadFrom(std::FILE* file, uint64_t length, const std::string& name)
{
    m_bLoadedShort = false;
    if (length == 0 || (m_nMode != kTextMode && m_nMode != kBinaryMode))
        return true;
    const uint32_t limit = MaxDocumentBytes();
    if (length > limit) {
        ShowMessage(StringId::IdsTooLargeFile, MsgButtons::Ok, MsgIcon::Warning,
                    {name, std::to_string(length), std::to_string(limit)});
        m_bLoadedShort = true;
        length = limit;
        if (length == 0)
            return true;
    }
    const auto n = static_cast<uint32_t>(length);
    const int reserved = ReserveImage(n);
    if (reserved == CFileImage::OutOfMemory || reserved == CFileImage::OverLimit) {
        if (reserved == CFileImage::OutOfMemory)
            ShowOutOfMemory();
        m_bLoadedShort = true;
        return true; // the document opens empty
    }
    m_image.BeginDirect(0);
    const bool ok = m_nMode == kBinaryMode ? LoadBinary(file, n) : LoadText(file, n);
    m_image.EndDirect(0);
    if (!ok) {
        ClearContents();
        return false;
    }
    if (m_nMode == kTextMode)
        m_comments.Rebuild({GetBlockPointer(), m_nDataSize});
    if (m_nDataSize > 0)
        UpdateAllViews(m_nMode == kTextMode ? kHintTextLoaded : kHintBinaryLoaded);
    return true;
}

bool CLumoDoc::LoadBinary(std::FILE* file, uint32_t length)
{
    uint8_t* block = m_image.GetPointer(0);
    for (uint32_t done = 0; done < length;) {
        const uint32_t chunk = std::min(kLoadChunk, length - done);
        if (!ReadFully(file, block + done, chunk))
            return false;
        done += chunk;
    }
    m_nDataSize = length;
    m_nLastCharPos = static_cast<int32_t>(length - 1);
    return true;
}

bool CLumoDoc::LoadText(std::FILE* file, uint32_t length)
{
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[kLoadChunk]);
    if (!buffer) {
        ShowOutOfMemory();
        return true;
    }
    uint8_t* block = m_image.GetPointer(0);
    CTextNormaliser normaliser;
    uint32_t out = 0;
    for (uint32_t done = 0; done < length;) {
        const uint32_t chunk = std::min(kLoadChunk, length - done);
        if (!ReadFully(file, buffer.get(), chunk))
            return false;
        out += normaliser.Feed(buffer.get(), chunk, block + out);
        done += chunk;
    }
    if (out > 0) {
        m_nDataSize = out;
        m_nLastCharPos = static_cast<int32_t>(out - 1 - (normaliser.LastWasPair() ? 1 : 0));
    }
    return true;
}

bool CLumoDoc::StoreTo(std::FILE* file)
{
    m_image.BeginDirect(0);
    const uint8_t* block = m_image.GetPointer(0);
    bool ok = true;
    for (uint32_t done = 0; ok && done < m_nDataSize;) {
        const uint32_t chunk = std::min(kStoreChunk, m_nDataSize - done);
        ok = std::fwrite(block + done, 1, chunk, file) == chunk;
        done += chunk;
    }
    m_image.EndDirect(0);
    return ok;
}

bool CLumoDoc::OnNewDocument()
{
    ClearContents();
    CDocumentBase::SetPathName(std::string());
    SetModifiedFlag(false);
    return true;
}

bool CLumoDoc::OnOpenDocument(const std::string& path)
{
    std::error_code ec;
    // Only regular files: opening a FIFO or a device could block or never end.
    const bool regular = fs::is_regular_file(path, ec);
    const uint64_t length = regular ? fs::file_size(path, ec) : 0;
    std::FILE* file = regular && !ec ? std::fopen(path.c_str(), "rb") : nullptr;
    if (!file) {
        ShowMessage(StringId::IdsOpenFailed);
        return false;
    }
    std::setvbuf(file, nullptr, _IONBF, 0); // the load reads in large chunks of its own
    const bool wasModified = IsModified();
    ClearContents();
    SetModifiedFlag(true);
    DocumentUi().beginWaitCursor();
    const bool loaded = LoadFrom(file, length, path);
    std::fclose(file);
    DocumentUi().endWaitCursor();
    if (!loaded) {
        ShowMessage(StringId::IdsOpenFailed);
        ClearContents();
        SetModifiedFlag(wasModified);
        return false;
    }
    // Only text documents have marks and tags; a binary file must not pick up
    // the attribute file of a text file that shares its stem.
    if (IsTextMode())
        CAttributeFile(*this).Read(path);
    SetPathName(path, true);
    SetModifiedFlag(false);
    // Saving what was loaded over the file would cut its tail off: the
    // document opens read-only and is never written back to this file.
    m_strPartialSource.clear();
    if (m_bLoadedShort) {
        m_strPartialSource = GetPathName();
        m_bReadOnly = 1;
    }
    return true;
}

bool CLumoDoc::IsPartialSource(const std::string& path) const
{
    if (m_strPartialSource.empty())
        return false;
    std::error_code ec;
    if (fs::equivalent(path, m_strPartialSource, ec))
        return true;
    return fs::weakly_canonical(path, ec) == fs::weakly_canonical(m_strPartialSource, ec);
}

bool CLumoDoc::OnSaveDocument(const std::string& path)
{
    CAtomicFileWriter writer(path);
    if (!writer.Open()) {
        ShowMessage(StringId::IdsInvalidFileName);
        return false;
    }
    DocumentUi().beginWaitCursor();
    const bool stored = StoreTo(writer.file()) && writer.Commit();
    DocumentUi().endWaitCursor();
    if (!stored) {
        ShowMessage(StringId::IdsSaveFailed);
        return false;
    }
    // Only text documents have marks and tags. A binary file's side-file name
    // may belong to a text file of the same stem (data.bin and data.txt both
    // map to data.ATR), so a binary save never writes or deletes it.
    if (IsTextMode() && !CAttributeFile(*this).Write(path))
        return false;
    SetModifiedFlag(false);
    return true;
}

bool CLumoDoc::SaveModified()
{
    if (!IsModified())
        return true;
    switch (ShowMessage(StringId::IdsSaveChanges, MsgButtons::YesNoCancel, MsgIcon::Question,
                        {GetTitle()})) {
    case MsgAnswer::Cancel: return false;
    case MsgAnswer::Yes: return DoSave(GetPathName(), true);
    default: return true;
    }
}

std::string CLumoDoc::ProposedFileName(const std::string& title)
{
    std::string name = title.substr(0, ByteIndexOfChar(title, 8));
    const size_t cut = name.find_first_of(" #%;/\\");
    if (cut != std::string::npos)
        name.erase(cut);
    return name;
}

bool CLumoDoc::DoSave(const std::string& path, bool replace)
{
    std::string newName = path;
    if (newName.empty()) {
        newName = GetPathName();
        if (newName.empty())
            newName = ProposedFileName(GetTitle());
        if (!DocumentUi().promptSaveFileName(newName))
            return false;
    }
    if (IsPartialSource(newName)) {
        ShowMessage(StringId::IdsPartialNoSave, MsgButtons::Ok, MsgIcon::Warning, {GetTitle()});
        return false;
    }
    std::error_code ec;
    const bool existed = fs::exists(fs::symlink_status(newName, ec));
    if (!OnSaveDocument(newName)) {
        // Only a file this save created is taken away again; one that existed
        // before holds the user's data.
        if (path.empty() && !existed)
            fs::remove(newName, ec);
        return false;
    }
    if (replace)
        SetPathName(newName, true);
    DocumentUi().documentStateChanged(*this);
    return true;
}

bool CLumoDoc::IsReadWriteFile(const std::string& path)
{
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(path, ec))
        return false;
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

bool CLumoDoc::OnFileSave()
{
    if (!CanSave())
        return false; // the command is disabled; a stray call changes nothing
    const std::string& path = GetPathName();
    return DoSave(IsReadWriteFile(path) ? path : std::string(), true);
}

bool CLumoDoc::OnFileSaveAs()
{
    if (!CanSaveAs())
        return false;
    return DoSave(std::string(), true);
}
