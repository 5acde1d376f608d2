#include "doc/CFileImage.h"

#include "DocTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

using doctest::Bytes;

// Drives a CFileImage as the panes do (the caller keeps the data size and
// reserves before inserting) beside a plain vector.
class CImageDriver
{
public:
    explicit CImageDriver(uint32_t seed) : m_random(seed)
    {
        EXPECT_TRUE(m_image.Init());
        Insert(0, doctest::RandomBytes(m_random, 90'000));
    }

    void Step()
    {
        switch (m_random() % 13) {
        case 0: case 1: CheckGetAt(); break;
        case 2: SetAt(); break;
        case 3: case 4: Grow(); break;
        case 5: case 6: Shrink(); break;
        case 7: CheckRead(Position(true), Length()); break;
        case 8: Overwrite(); break;
        case 9: DirectSession(); break;
        case 10: DeleteMostOfTheWindow(); break;
        case 11: m_image.Refocus(Position(true), true); break;
        default: {
            const uint32_t pos = Position(false);
            const bool held = pos - m_image.WindowBase() < m_image.WindowLength();
            ASSERT_EQ(held, m_image.Covers(pos));
            ASSERT_LT(pos - m_image.WindowBase(), m_image.WindowLength()) << "refocused there";
        }
        }
    }

    // A caret typing or erasing thousands of bytes in a row: the window fills
    // to its capacity or empties without being refocused in between.
    void TypingRun(bool erase)
    {
        while (Size() < 120'000) // so that the window ends in real data, not in scratch
            Insert(Size(), doctest::RandomBytes(m_random, 20'000));
        uint32_t caret = 12'000 + m_random() % (Size() - 60'000);
        for (int i = 0, n = 8'000 + int(m_random() % 4'000); i < n && (caret > 0 || !erase); ++i) {
            if (erase) {
                Delete(caret - 1, caret);
                --caret;
            } else {
                Insert(caret++, {static_cast<uint8_t>(m_random())});
            }
            ASSERT_EQ(m_model[caret - (caret > 0)], m_image.GetAt(caret - (caret > 0)));
        }
    }

    void CheckRead(uint32_t pos, uint32_t n)
    {
        n = std::min(Size() - pos, n);
        Bytes read(n);
        m_image.Read(read.data(), pos, n);
        ASSERT_TRUE(std::equal(read.begin(), read.end(), m_model.begin() + pos)) << "at " << pos;
        ASSERT_EQ(0, std::memcmp(m_image.GetSpanPointer(pos, n), m_model.data() + pos, n)) << "at " << pos;
    }
    void CheckWhole() { CheckRead(0, Size()); }

private:
    uint32_t Size() const { return static_cast<uint32_t>(m_model.size()); }

    // Positions cluster at the window's edges, where the bookkeeping changes.
    uint32_t Position(bool mayBeEnd)
    {
        const int64_t limit = std::max<int64_t>(int64_t(Size()) - (mayBeEnd ? 0 : 1), 0);
        const int64_t base = m_image.WindowBase(), jitter = int64_t(m_random() % 5) - 2;
        int64_t pos = 0;
        switch (m_random() % 6) {
        case 0: pos = base + jitter; break;
        case 1: pos = base + m_image.WindowLength() + jitter; break;
        case 2: pos = limit - std::abs(jitter); break;
        default: pos = int64_t(m_random() % uint64_t(limit + 1)); break;
        }
        return static_cast<uint32_t>(std::clamp<int64_t>(pos, 0, limit));
    }

    uint32_t Length()
    {
        const uint32_t pick = m_random() % 10;
        return pick == 0 ? 11'000 + m_random() % 30'000 // more than the window can take
                         : pick == 1 ? m_random() % 3'000 : 1 + m_random() % 40;
    }

    void CheckGetAt()
    {
        const uint32_t pos = Position(false);
        if (pos < Size()) {
            ASSERT_EQ(m_model[pos], m_image.GetAt(pos)) << "at " << pos;
        }
    }

    void SetAt()
    {
        const uint32_t pos = Position(false);
        if (pos < Size())
            m_image.SetAt(pos, m_model[pos] = static_cast<uint8_t>(m_random()));
    }

    void Insert(uint32_t pos, const Bytes& bytes)
    {
        const auto n = static_cast<uint32_t>(bytes.size());
        ASSERT_LE(m_image.Reserve(Size() + n), CFileImage::Grown);
        m_image.MoveUp(pos + n, pos, Size() - pos);
        if (m_random() % 2) {
            m_image.Write(pos, bytes.data(), n);
        } else {
            for (uint32_t i = 0; i < n; ++i)
                m_image.SetAt(pos + i, bytes[i]);
        }
        m_model.insert(m_model.begin() + pos, bytes.begin(), bytes.end());
    }

    void Delete(uint32_t dst, uint32_t src)
    {
        m_image.MoveDown(dst, src, Size() - src);
        m_model.erase(m_model.begin() + dst, m_model.begin() + src);
    }

    // The data stays between 60 and 200 KiB: several windows, cheap tail moves.
    void Grow()
    {
        if (Size() > 200'000)
            return Shrink();
        Insert(Position(true), doctest::RandomBytes(m_random, Length()));
    }
    void Shrink()
    {
        if (Size() < 60'000)
            return Grow();
        const uint32_t pos = Position(false);
        Delete(pos, pos + std::min(Size() - pos, Length()));
    }

    // Leaves a handful of bytes in the window.
    void DeleteMostOfTheWindow()
    {
        const uint32_t dst = m_image.WindowBase() + m_random() % 3;
        const uint32_t src = m_image.WindowBase() + m_image.WindowLength() - 1 - m_random() % 3;
        if (src < Size() && dst < src && Size() >= 60'000)
            Delete(dst, src);
    }

    void Overwrite()
    {
        const uint32_t pos = Position(true);
        const Bytes bytes = doctest::RandomBytes(m_random, std::min(Size() - pos, Length()));
        m_image.Write(pos, bytes.data(), uint32_t(bytes.size()));
        std::copy(bytes.begin(), bytes.end(), m_model.begin() + pos);
    }

    // A burst of work in direct mode, as loading, storing and searching do.
    void DirectSession()
    {
        m_image.BeginDirect(Position(true));
        for (int i = 0, n = 1 + int(m_random() % 6); i < n; ++i) {
            switch (m_random() % 4) {
            case 0: CheckGetAt(); break;
            case 1: SetAt(); break;
            case 2: Grow(); break;
            default: Shrink(); break;
            }
        }
        m_image.EndDirect(Position(true));
    }

    std::mt19937 m_random;
    CFileImage m_image;
    Bytes m_model;
};

TEST(CFileImage, MatchesAPlainVectorUnderRandomEditsAroundTheWindowEdges)
{
    for (uint32_t seed : {1u, 7u, 2024u, 90125u}) {
        SCOPED_TRACE(seed);
        CImageDriver driver(seed);
        for (int i = 1; i <= 30'000 && !::testing::Test::HasFatalFailure(); ++i) {
            driver.Step();
            if (i % 2'000 == 0)
                driver.CheckWhole();
            if (i % 12'500 == 6'000)
                driver.TypingRun(i > 12'500);
        }
        driver.CheckWhole();
    }
}

TEST(CFileImage, ReserveGrowsInWholeUnitsKeepingTheBytesAndRefusesPastTheLimit)
{
    doctest::CLimitGuard guard;
    g_nMaxImageSize = 100'000;
    CFileImage image;
    ASSERT_TRUE(image.Init());
    EXPECT_EQ(CFileImage::OverLimit, image.Reserve(g_nMaxImageSize - 2));
    EXPECT_EQ(CFileImage::Fits, image.Reserve(32'765)) << "n + 2 below the capacity";
    image.SetAt(100, 0xAB);
    EXPECT_EQ(CFileImage::Grown, image.Reserve(32'766));
    EXPECT_EQ(0xAB, image.GetAt(100)) << "growth keeps the bytes";
    EXPECT_EQ(CFileImage::Grown, image.Reserve(g_nMaxImageSize - 3));
    EXPECT_EQ(131'072u, image.Capacity()) << "whole growth units";
    EXPECT_EQ(CFileImage::OverLimit, image.Reserve(g_nMaxImageSize - 2)) << "fits the block, not the limit";
    EXPECT_EQ(CFileImage::OverLimit, image.Reserve(UINT32_MAX));
}

TEST(CFileImage, AccessBeyondTheBlockStaysInsideIt)
{
    CFileImage image;
    ASSERT_TRUE(image.Init());
    const uint32_t cap = image.Capacity();
    image.SetAt(cap + 5, 1);
    EXPECT_EQ(0, image.GetAt(cap + 5));
    uint8_t bytes[64];
    std::memset(bytes, 0x55, sizeof bytes);
    image.Write(cap - 10, bytes, sizeof bytes);
    image.Read(bytes, cap - 10, sizeof bytes);
    EXPECT_EQ(0x55, bytes[9]);
    EXPECT_EQ(0, bytes[10]) << "bytes past the block read as 0";
    image.MoveUp(cap - 1, 0, cap);
    image.MoveDown(0, cap - 1, cap);
    image.BeginDirect(0);
    EXPECT_EQ(0, image.GetAt(cap + 5));
    image.EndDirect(0);
}

} // namespace
