#include "profile/archive.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string Stored(const std::function<void(CArchive&)>& write) {
    std::string bytes;
    CArchive ar(bytes);
    write(ar);
    return bytes;
}

// Runs `read` over `bytes` and returns the cause it failed with, if any.
template <class F>
std::optional<CArchiveException::Cause> FailureOf(const std::string& bytes, F read) {
    std::istringstream in(bytes);
    CArchive ar(in, "test.k33");
    try {
        read(ar);
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_strFileName, "test.k33");
        return e.m_cause;
    }
    return std::nullopt;
}

std::string ReadBackString(const std::string& bytes) {
    std::istringstream in(bytes);
    CArchive ar(in, "x");
    return ar.ReadString();
}

TEST(Archive, StringLengthPrefixForms) {
    struct Case {
        size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, std::string("\x00", 1)},
        {254, "\xFE"},
        {255, std::string("\xFF\xFF\x00", 3)},
        {0xFFFD, "\xFF\xFD\xFF"},
        {0xFFFE, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
        {0x12345, std::string("\xFF\xFF\xFF\x45\x23\x01\x00", 7)},
    };
    for (const Case& c : cases) {
        const std::string text(c.length, 'a');
        const std::string bytes = Stored([&](CArchive& ar) { ar.WriteString(text); });
        EXPECT_EQ(bytes.substr(0, c.prefix.size()), c.prefix) << c.length;
        EXPECT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_EQ(ReadBackString(bytes), text) << c.length;
    }
}

TEST(Archive, CountForms) {
    EXPECT_EQ(Stored([](CArchive& ar) { ar.WriteCount(0xFFFE); }), "\xFE\xFF");
    EXPECT_EQ(Stored([](CArchive& ar) { ar.WriteCount(0xFFFF); }),
              std::string("\xFF\xFF\xFF\xFF\x00\x00", 6));
    std::string bytes = Stored([](CArchive& ar) {
        ar.WriteCount(0x10000);
        ar.WriteString(std::string(0x10000, 'x'));
    });
    std::istringstream in(bytes);
    CArchive ar(in, "x");
    EXPECT_EQ(ar.ReadCount(1), 0x10000u);
}

TEST(Archive, WideStringIsConvertedToTheAnsiCodePage) {
    // 0xFF, 0xFFFE marks UTF-16; the length follows in the usual scheme.
    std::string bytes("\xFF\xFE\xFF\x05", 4);
    for (char16_t unit : {u'G', u'r', u'\u00FC', u'\u20AC', u'\u4E2D'}) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    EXPECT_EQ(ReadBackString(bytes), "Gr\xFC\x80?");

    std::string longWide("\xFF\xFE\xFF\xFF\x2C\x01", 6);  // 300 characters
    for (int i = 0; i < 300; ++i) longWide += std::string("z\0", 2);
    EXPECT_EQ(ReadBackString(longWide), std::string(300, 'z'));
}

TEST(Archive, EightByteLength) {
    const std::string head("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7);
    EXPECT_EQ(ReadBackString(head + std::string("\x03\0\0\0\0\0\0\0abc", 11)), "abc");

    auto read = [](CArchive& ar) { ar.ReadString(); };
    EXPECT_EQ(FailureOf(head + std::string("\x03\0\0\0\x01\0\0\0abc", 11), read),
              CArchiveException::badLength);
    EXPECT_EQ(FailureOf(head + std::string("\0\0\0\x80\0\0\0\0", 8), read),
              CArchiveException::badLength);
}

TEST(Archive, LengthsBeyondTheEndFailWithoutAllocating) {
    auto readString = [](CArchive& ar) { ar.ReadString(); };
    auto readCount = [](CArchive& ar) { ar.ReadCount(16); };
    EXPECT_EQ(FailureOf("\x05"
                        "abcd",
                        readString),
              CArchiveException::endOfFile);
    // 0x7FFFFFFF characters claimed by a 12-byte file.
    EXPECT_EQ(FailureOf(std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7), readString),
              CArchiveException::endOfFile);
    EXPECT_EQ(FailureOf(std::string("\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 9), readString),
              CArchiveException::endOfFile);
    EXPECT_EQ(FailureOf(std::string("\xFF\xFF\xFF\xFF\xFF\x7F", 6), readCount),
              CArchiveException::endOfFile);
    EXPECT_EQ(FailureOf(std::string("\x02\x00", 2) + std::string(31, '\0'), readCount),
              CArchiveException::endOfFile);
    EXPECT_EQ(FailureOf(std::string("\x02\x00", 2) + std::string(32, '\0'), readCount),
              std::nullopt);
    EXPECT_EQ(FailureOf("\x01\x02\x03", [](CArchive& ar) { ar.ReadInt32(); }),
              CArchiveException::endOfFile);
}

TEST(Archive, IntegersAndGuidAreLittleEndian) {
    GUID g = {0x0DF6BB65, 0xAE74, 0x11D4, {0x95, 0x48, 0x00, 0x50, 0x04, 0x72, 0x8F, 0x22}};
    int32_t minusTwo = -2;
    bool yes = true;
    const std::string bytes = Stored([&](CArchive& ar) {
        ar.Exchange(minusTwo);
        ar.Exchange(g);
        ar.ExchangeBool32(yes);
    });
    EXPECT_EQ(bytes, std::string("\xFE\xFF\xFF\xFF"
                                 "\x65\xBB\xF6\x0D\x74\xAE\xD4\x11\x95\x48\x00\x50\x04\x72\x8F\x22"
                                 "\x01\x00\x00\x00",
                                 24));

    std::istringstream in(bytes.substr(0, 20) + std::string("\x07\0\0\0", 4));
    CArchive ar(in, "x");
    int32_t n = 0;
    GUID back{};
    bool flag = false;
    ar.Exchange(n);
    ar.Exchange(back);
    ar.ExchangeBool32(flag);  // any non-zero value reads as true
    EXPECT_EQ(n, -2);
    EXPECT_TRUE(back == g);
    EXPECT_TRUE(flag);
}

}  // namespace
