// The text line model on real documents: wrap examples, positions, random
// edits rewrapped incrementally beside a full rebuild, and hostile bytes.
#include "doc/DocTestSupport.h"
#include "textpane/TextLineModel.h"

#include <string>

namespace {

using doctest::Bytes;

const std::string kColumnOut = "\x81\x41\x81\x42),.";  // 、。),.

struct CText
{
    std::unique_ptr<CLumoDoc> doc = doctest::MakeDoc(CLumoDoc::kTextMode);
    CTextLineModel model;
    CText(const std::string& text, CTextLayout layout)
        : model(*doc, (layout.columnOut = kColumnOut, layout))
    {
        doctest::Fill(*doc, Bytes(text.begin(), text.end()));
        (void)model.rebuild();
    }
    std::vector<uint32_t> starts() const
    {
        std::vector<uint32_t> v;
        for (uint32_t r = 0; r < doc->Rows().Count(); ++r)
            v.push_back(doc->Rows().Start(r) | (doc->Rows().BeginsLine(r) ? 0x80000000u : 0));
        return v;
    }
};

CTextLayout Layout(uint32_t fold, bool kinsoku = false, bool wordWrap = false)
{
    return {fold, 4, wordWrap, kinsoku, {}};
}

TEST(TextLineModel, WrapExamples)
{
    const uint32_t L = 0x80000000u; // the row begins a logical line
    const std::string a9(9, 'a'), a10(10, 'a');
    const struct { std::string text; CTextLayout layout; std::vector<uint32_t> starts; } cases[] = {
        {"", Layout(10), {}},
        {"abc\r\n", Layout(10), {0}},
        {"ab\r\ncd\r\n\r\ne", Layout(10), {0, 4 | L, 8 | L, 10 | L}},
        {std::string(25, 'x'), Layout(10), {0, 10, 20}},
        {a9 + "\x8a\xbf" "b", Layout(10), {0, 9}},              // a kanji would start in the last column
        {a9 + "\x81\x42" "b", Layout(10, true), {0, 11}},       // 。 there hangs
        {a10 + "\x81\x42" "bc", Layout(10), {0, 10}},
        {a10 + "\x81\x42" "bc", Layout(10, true), {0, 12}},     // 。 after the fold stays
        {a10 + ")b", Layout(10, true), {0, 11}},
        {a10 + "Ab", Layout(10, true), {0, 10}},                // 'A' is only the trail of 、
        {a10 + "\r\nb", Layout(10), {0, 12 | L}},               // CR LF past the fold ends the line
        {"hello world", Layout(8, false, true), {0, 6}},
        {"abcdefgh ijk", Layout(8, false, true), {0, 9}},      // a trailing space hangs
        {"abcdefghijkl", Layout(8, false, true), {0, 8}},      // no word start to move back to
        {"ab cd\r\nefghij", Layout(8, false, true), {0, 7 | L}},
        {"abcdef\tx\tyz", Layout(10), {0, 9}},               // the tab reaches column 12
    };
    for (const auto& c : cases) {
        CText t(c.text, c.layout);
        EXPECT_EQ(t.starts(), c.starts) << c.text;
    }
}

TEST(TextLineModel, PositionsAndTheEmptyLineAfterTheLastBreak)
{
    CText empty("", Layout(10));
    EXPECT_EQ(empty.model.lineStart(0), 0u);
    EXPECT_EQ(empty.model.offsetAt(3, 2, true), (CTextLineModel::Hit{0, 0}));

    CText t("abc\r\nx\x8a\xbfy", Layout(10));
    EXPECT_EQ(t.model.offsetToPosition(5), (CTextLineModel::Position{0, 1}));
    EXPECT_EQ(t.model.lineStart(2), 5u);     // no final CR LF: the last line
    EXPECT_EQ(t.model.lineEndOf(1), 3u);     // the CR
    EXPECT_EQ(t.model.lineEndOf(6), 8u);
    EXPECT_EQ(t.model.offsetAt(9, 0, false), (CTextLineModel::Hit{3, 0}));  // before the CR LF
    EXPECT_EQ(t.model.offsetAt(2, 1, false), (CTextLineModel::Hit{8, 0}));  // inside 漢: rounds up
    EXPECT_EQ(t.model.offsetAt(9, 1, false), (CTextLineModel::Hit{8, 1}));
    EXPECT_EQ(t.model.offsetAt(9, 1, true), (CTextLineModel::Hit{8, 6}));
    EXPECT_EQ(t.model.unitWidthAt(6), 2u);

    CText tab("abcdef\tx", Layout(10));
    EXPECT_EQ(tab.model.columnOf(7), 8u);
    EXPECT_EQ(tab.model.unitWidthAt(6), 2u);
    EXPECT_EQ(tab.model.offsetAt(7, 0, false).offset, 7u);
}

// Texts rich in what the wrap looks at, hostile bytes among them.
std::string RandomPiece(std::mt19937& r)
{
    static const char* const pieces[] = {"\r\n", "\x8a\xbf", "\x81\x42", "\x81\x41", ")", " ", "\t",
                                         "word", "ab", "7", "A", "\x81", "\0", "\r", "\xb1"};
    const char* p = pieces[r() % std::size(pieces)];
    return *p ? std::string(p) : std::string(1, '\0');
}

std::string RandomText(std::mt19937& r, size_t pieces)
{
    std::string s;
    while (pieces-- > 0)
        s += RandomPiece(r);
    return s;
}

// Where the rewrap starts for an edit at offset: one display line before the
// line holding it or the start of the word holding it, whichever is earlier.
uint32_t FirstLineToWrap(CLumoDoc& doc, CTextLineModel& model, uint32_t offset)
{
    uint32_t word = offset;
    while (word > 0 && std::isalnum(doc.GetAt(word - 1)))
        --word;
    const uint32_t line = std::min(model.lineOf(offset), model.lineOf(word));
    return std::min(line - (line > 0), std::max<uint32_t>(model.lineCount(), 1) - 1);
}

TEST(TextLineModel, RandomEditsRewrapLikeAFullRebuild)
{
    doctest::CLimitGuard limits;
    CRecordingSink sink;
    const uint32_t maxRows = g_nMaxRows;
    std::mt19937 r(7);
    for (int run = 0; run < 24; ++run) {
        g_nMaxRows = run % 6 == 5 ? 40 : maxRows; // some runs at the line limit
        CText t(RandomText(r, 20 + r() % (run % 4 == 0 ? 3000 : 300)),
                Layout(10 + r() % 20, r() % 2 != 0, r() % 2 != 0));
        for (int step = 0; step < 40 && !testing::Test::HasFailure(); ++step) {
            const uint32_t size = t.doc->DataSize();
            const uint32_t at = r() % (size + 1);
            const uint32_t line = FirstLineToWrap(*t.doc, t.model, at);
            const uint32_t from = t.model.lineStart(line);
            int64_t delta = 0;
            if (r() % 2 == 0 && size > 0) {
                delta = -int64_t{t.doc->DeleteBytes(at, 1 + r() % 6, nullptr)};
            } else {
                const std::string piece = RandomText(r, 1 + r() % 4);
                ASSERT_TRUE(t.doc->InsertBytes(at, reinterpret_cast<const uint8_t*>(piece.data()),
                                               uint32_t(piece.size()), nullptr));
                delta = int64_t(piece.size());
            }
            const auto result = t.model.rewrapFrom(at, delta, from, line);
            const auto incremental = t.starts();
            (void)t.model.rebuild();
            ASSERT_EQ(incremental, t.starts()) << "run " << run << " step " << step;
            EXPECT_LE(result.changedEnd, t.doc->DataSize());
            EXPECT_TRUE(t.doc->IsModified());
        }
    }
}

TEST(TextLineModel, OffsetsAndPositionsRoundTrip)
{
    std::mt19937 r(11);
    for (int run = 0; run < 30; ++run) {
        CText t(RandomText(r, 1 + r() % (run % 3 == 0 ? 2500 : 200)), Layout(10 + r() % 15, r() % 2, r() % 2));
        const uint32_t size = t.doc->DataSize();
        const uint8_t* s = t.doc->GetSpanPointer(0, size);
        for (uint32_t o = 0; o <= size; o += o < size ? CTextWrap::UnitLength(s + o, size - o) : 1) {
            const auto p = t.model.offsetToPosition(o);
            uint32_t row = 0;
            while (row + 1 < t.doc->Rows().Count() && t.doc->Rows().Start(row + 1) <= o)
                ++row;
            ASSERT_EQ(p.line, o == size && size >= 2 && s[size - 2] == '\r' ? t.doc->Rows().Count() : row);
            const auto hit = t.model.offsetAt(p.column, p.line, false);
            const uint32_t back = hit.surplus ? hit.offset + CTextWrap::UnitLength(s + hit.offset, size - hit.offset)
                                              : hit.offset;
            ASSERT_EQ(back, o) << "run " << run;
            s = t.doc->GetSpanPointer(0, size);
        }
    }
}

TEST(TextLineModel, HostileTextsAndTheLineLimit)
{
    doctest::CLimitGuard limits;
    CRecordingSink sink;
    CText endLead("ab\x81", Layout(10));   // a lead byte at the end
    EXPECT_EQ(endLead.model.offsetAt(9, 0, true), (CTextLineModel::Hit{2, 7}));
    CText longLine(std::string(100'000, 'q'), Layout(10));
    EXPECT_EQ(longLine.model.lineCount(), 10'000u);
    EXPECT_EQ(longLine.model.lineOf(99'999), 9'999u);
    EXPECT_EQ(longLine.model.lineOf(5'001), 500u);

    g_nMaxRows = 50;
    std::string text;
    for (int i = 0; i < 80; ++i)
        text += std::string(i % 30, 'x') + "\r\n";
    CText full(text, Layout(10));
    EXPECT_EQ(full.model.lineCount(), 50u);
    EXPECT_EQ(sink.texts, std::vector<std::string>{"行数オーバーです。"});
    EXPECT_EQ(full.model.lineStart(70), full.doc->Rows().Start(49));
    EXPECT_EQ(full.model.lineOf(uint32_t(text.size())), 49u);
    (void)full.model.offsetAt(12, 60, true);
    EXPECT_FALSE(full.doc->StoreRows(0, 51, nullptr, nullptr));
    EXPECT_EQ(full.model.lineCount(), 50u);
}

TEST(TextLineModel, BuildingAfterALoadKeepsTheDocumentUnmodified)
{
    doctest::CTempDir dir;
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "line\r\n";
    auto doc = doctest::OpenDoc(dir, "t.txt", Bytes(text.begin(), text.end()), CLumoDoc::kTextMode);
    doctest::CHintView view;
    doc->AddView(&view);
    CTextLineModel model(*doc, Layout(80));
    EXPECT_TRUE(model.rebuild().countChanged);
    EXPECT_EQ(model.lineCount(), 3000u);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(view.hints, std::vector<int>{CLumoDoc::kHintStorageMoved}); // past 2,000 rows the table grew
    doc->RemoveView(&view);
}

} // namespace
