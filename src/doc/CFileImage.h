// The bytes of one open file: one contiguous growable block fronted by a
// 32 KiB edit window. Inserting or deleting near the caret shifts only the
// bytes inside the window; the tail of the big block moves once, when the
// window is written back. The image never knows the data size: the document
// keeps it, and everything from the data size up to the capacity is scratch.
//
// While the window is changed the image bytes are
//   block[0 .. base) + window[0 .. length) + block[base + loadedLength .. capacity)
// and simply block[...] otherwise. In direct mode the window is bypassed and
// every operation works on the block itself.
#pragma once

#include <cstdint>

class CFileImage
{
public:
    static constexpr uint32_t kGrowthUnit = 32'768;
    static constexpr uint32_t kWindowCapacity = 32'768;
    static constexpr uint32_t kWindowFill = 21'845; // two thirds of the window
    static constexpr uint32_t kWindowLead = kWindowFill / 2; // bytes kept before the focus

    enum ReserveResult : int { Fits = 0, Grown = 1, OutOfMemory = 2, OverLimit = 3 };

    CFileImage() = default;
    ~CFileImage();
    CFileImage(const CFileImage&) = delete;
    CFileImage& operator=(const CFileImage&) = delete;

    // One growth unit of block and the window; false (nothing kept) when memory is short.
    [[nodiscard]] bool Init();
    bool IsAllocated() const { return m_pBlock != nullptr; }

    // Makes the block able to hold n bytes (plus two of slack) below g_nMaxImageSize.
    [[nodiscard]] int Reserve(uint32_t n);

    uint8_t GetAt(uint32_t pos)
    {
        if (m_bDirect)
            return pos < m_nCapacity ? m_pBlock[pos] : 0;
        if (pos - m_nBase < m_nWindowLength)
            return m_pWindow[pos - m_nBase];
        return GetAtSlow(pos);
    }

    void SetAt(uint32_t pos, uint8_t value)
    {
        if (m_bDirect) {
            if (pos < m_nCapacity)
                m_pBlock[pos] = value;
            return;
        }
        if (pos - m_nBase < m_nWindowLength) {
            m_pWindow[pos - m_nBase] = value;
            m_bChanged = 1;
            return;
        }
        SetAtSlow(pos, value);
    }

    void Write(uint32_t pos, const uint8_t* src, uint32_t n);
    void Read(uint8_t* dst, uint32_t pos, uint32_t n);

    // Delete: the bytes from src move down to dst (dst before src); n is the
    // number of bytes from src to the end of the data.
    void MoveDown(uint32_t dst, uint32_t src, uint32_t n);
    // Insert: the bytes from src move up to dst (dst after src), opening a gap
    // at src; n is the number of bytes from src to the end of the data. The
    // caller reserves the final size first.
    void MoveUp(uint32_t dst, uint32_t src, uint32_t n);

    // Writes the window back, reloads it around pos and answers the block
    // address of pos. Valid until the next Reserve or window operation.
    uint8_t* GetPointer(uint32_t pos);
    // An address from which n bytes at pos can be read: inside the window when
    // it holds them all, else the block after a write-back.
    const uint8_t* GetSpanPointer(uint32_t pos, uint32_t n);

    void BeginDirect(uint32_t pos);
    void EndDirect(uint32_t pos);
    bool IsDirect() const { return m_bDirect != 0; }

    // The window mechanism: optionally write the window back into the block,
    // then load it again around pos.
    void Refocus(uint32_t pos, bool writeBack);

    // Whether the window holds pos; when not, refocuses there and answers false.
    bool Covers(uint32_t pos)
    {
        if (pos - m_nBase < m_nWindowLength)
            return true;
        Refocus(pos, true);
        return false;
    }

    // Bytes from pos that the window holds (at most n), refocusing when it
    // does not hold pos. 0 only for a position at or beyond the capacity.
    uint32_t SpanInWindow(uint32_t pos, uint32_t n);

    uint32_t Capacity() const { return m_nCapacity; }
    uint32_t WindowBase() const { return m_nBase; }
    uint32_t WindowLength() const { return m_nWindowLength; }
    bool IsWindowChanged() const { return m_bChanged != 0; }

private:
    uint8_t GetAtSlow(uint32_t pos);
    void SetAtSlow(uint32_t pos, uint8_t value);
    void WriteBack();
    void LoadWindow(uint32_t pos);
    bool WindowHolds(uint32_t pos) const { return pos - m_nBase < m_nWindowLength; }
    bool WindowTakesInsert(uint32_t dst, uint32_t src) const;
    void MoveBlock(uint32_t dst, uint32_t src, uint32_t n);

    uint8_t* m_pBlock = nullptr;
    int32_t m_bDirect = 0;
    uint32_t m_nCapacity = 0;
    uint8_t* m_pWindow = nullptr; // kWindowCapacity + 1 bytes
    uint32_t m_nBase = 0;
    uint32_t m_nWindowLength = 0;
    uint32_t m_nLoadedLength = 0;
    int32_t m_bChanged = 0;
};
