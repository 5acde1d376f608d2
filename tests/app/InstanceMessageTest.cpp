#include "app/InstanceMessage.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

// An independent judge of UTF-8: glibc's converter.
bool IconvAcceptsUtf8(std::string text)
{
    const iconv_t cd = iconv_open("UTF-32LE", "UTF-8");
    std::vector<char> out(text.size() * 4 + 4);
    char* in = text.data();
    char* to = out.data();
    size_t inLeft = text.size();
    size_t outLeft = out.size();
    const bool accepted = iconv(cd, &in, &inLeft, &to, &outLeft) != static_cast<size_t>(-1) && inLeft == 0;
    iconv_close(cd);
    return accepted;
}

std::string Request(const std::string& name)
{
    return "[open(\""s + name + "\")]";
}

// Framing faults; bad bytes and relative names are the random test's part.
TEST(InstanceMessage, RequestsRoundTripAndMalformedOnesGiveNoName)
{
    const std::string longest = "/" + std::string(kMaxRequestName - 1, 'x');
    for (const std::string& name : {std::string("/tmp/[open(\"x\")]"), std::string("/tmp/a\")].bin"), longest}) {
        SCOPED_TRACE(name);
        const std::string text = MakeOpenRequest({name});
        EXPECT_EQ(text, Request(name));
        EXPECT_LE(text.size(), MaxOpenRequestLength());
        EXPECT_EQ(ParseOpenRequest(text), OpenRequest{name});
        // A line and column travel after the name, the largest ones included.
        const OpenRequest placed{name, INT32_MAX, INT32_MAX};
        EXPECT_LE(MakeOpenRequest(placed).size(), MaxOpenRequestLength());
        EXPECT_EQ(ParseOpenRequest(MakeOpenRequest(placed)), placed);
    }
    EXPECT_EQ(MakeOpenRequest({"/a", 120, 3}), "[open(\"/a\",120,3)]");
    EXPECT_EQ(ParseOpenRequest("[open(\"/a\",5\",7,0)]"), (OpenRequest{"/a\",5", 7, 0}));
    const std::vector<std::string> texts = {
        "",
        "[open(\")]",                       // the quotes overlap
        "[open(\"\")]",                     // empty name
        "[open(\"/a\")",                    // no closing bracket
        "open(\"/a\")]",                    // no opening bracket
        "[OPEN(\"/a\")]",                   // wrong command
        "[open(\"/a)]",                     // closing quote missing
        "[open('/a')]",                     // wrong quotes
        " [open(\"/a\")]",                  // leading blank
        "[open(\"/a\")] ",                  // trailing blank
        "[open(\"/" + std::string(kMaxRequestName, 'x') + "\")]",  // one byte too long
        "[open(\"/a\",1)]",                 // a line without a column
        "[open(\"/a\",-1,0)]",              // negative
        "[open(\"/a\",2147483648,0)]",      // past 32 bits
        "[open(\"/a\",1,2,3)]",             // one number too many
        "[open(\"/a\", 1,2)]",              // a blank
        "[open(\"/a\",0,0)]",               // written without numbers
        "[open(\"/a\",01,2)]",              // a leading zero
    };
    for (const std::string& text : texts)
        EXPECT_EQ(ParseOpenRequest(text), std::nullopt) << testing::PrintToString(text);
    // Two requests run together read as one name between the outer quotes,
    // which is absolute and acceptable: the framing keeps them apart.
    EXPECT_EQ(ParseOpenRequest("[open(\"/a\")][open(\"/b\")]"), OpenRequest{"/a\")][open(\"/b"});
    EXPECT_FALSE(IsTransferableName(longest + "x"));
}

// Random requests: whatever the parser accepts must come back byte for byte
// when made again, and it must accept exactly the names that are absolute,
// free of control characters and valid UTF-8 by an independent converter.
TEST(InstanceMessage, RandomRequestsAgreeWithAPlainModel)
{
    std::mt19937 random(20240611);
    const std::string good[] = {"/", "a", "Z", "\"", ")", "]", " ", "\xE3\x81\x82", "\xF0\x9F\x99\x82"};
    const std::string bad[] = {"\x80", "\xC3", "\xED\xA0\x80", "\xC0\xAF", "\xF4\x90\x80\x80",
                               "\n", "\x7F", std::string(1, '\0')};
    std::uniform_int_distribution<size_t> pickGood(0, std::size(good) - 1);
    std::uniform_int_distribution<size_t> pickBad(0, std::size(bad) - 1);
    std::uniform_int_distribution<int> length(0, 12);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> percent(0, 99);
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string name = round % 7 == 0 ? "" : "/";
        const int count = length(random);
        for (int i = 0; i < count; ++i)
            name += percent(random) < 10 ? bad[pickBad(random)] : good[pickGood(random)];
        if (round % 3 == 0 && !name.empty())
            name[random() % name.size()] = static_cast<char>(byte(random));
        const std::string text = round % 5 == 0 ? name : Request(name);
        const std::optional<OpenRequest> parsed = ParseOpenRequest(text);
        if (round % 5 != 0) {
            const bool clean = std::none_of(name.begin(), name.end(), [](char c) {
                const auto b = static_cast<unsigned char>(c);
                return b < 0x20 || b == 0x7F;
            });
            const bool model = !name.empty() && name[0] == '/' && clean && IconvAcceptsUtf8(name);
            ASSERT_EQ(parsed.has_value(), model) << testing::PrintToString(name);
        }
        if (parsed) {
            ++accepted;
            ASSERT_EQ(MakeOpenRequest(*parsed), text);
        }
    }
    EXPECT_GT(accepted, 1000);
}

TEST(InstanceMessage, SocketNamesArePlainAndKeepProgramsApart)
{
    EXPECT_EQ(InstanceSocketName("vexel"), "vexel.instance");
    const std::string programs[] = {"vexel", "Vexel", "vexel.instance", "a-b", "a%2Db",
                                    "山田",  "a b",   "..",             "",    "a/b"};
    std::set<std::string> seen;
    for (const std::string& program : programs) {
        const std::string name = InstanceSocketName(program);
        EXPECT_TRUE(seen.insert(name).second) << name;
        EXPECT_EQ(name.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789._%"),
                  std::string::npos)
            << name;
    }
}

} // namespace
