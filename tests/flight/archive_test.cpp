#include "flight/archive.h"

#include <gtest/gtest.h>

#include "flight/text_format.h"

namespace tavo {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string ReadOne(const Bytes& b, bool* ok = nullptr) {
    ArchiveReader r(b.data(), b.size());
    std::string s;
    const bool good = r.ReadString(s);
    if (ok != nullptr)
        *ok = good;
    return s;
}

TEST(Archive, StringLengthForms) {
    for (std::size_t n : {0u, 254u, 255u, 65533u, 65534u, 70000u}) {
        Bytes b;
        ArchiveWriter w(b);
        w.WriteString(std::string(n, 'x'));
        const std::size_t prefix = n < 255 ? 1 : n < 65534 ? 3 : 7;
        EXPECT_EQ(b.size(), n + prefix) << n;
        EXPECT_EQ(ReadOne(b).size(), n);
    }
}

TEST(Archive, SixteenBitStringsBecomeWindows1252) {
    // 0xFF, 0xFFFE marks UTF-16; then length 3 and "a", e-acute, euro sign.
    Bytes b = {0xFF, 0xFE, 0xFF, 3, 'a', 0, 0xE9, 0, 0xAC, 0x20};
    bool ok = false;
    EXPECT_EQ(ReadOne(b, &ok), std::string("a\xE9\x80"));
    EXPECT_TRUE(ok);
    // The length after the marker may itself use the 16-bit form.
    Bytes wide = {0xFF, 0xFE, 0xFF, 0xFF, 0x00, 0x01};
    for (int i = 0; i < 256; ++i) {
        wide.push_back('z');
        wide.push_back(0);
    }
    EXPECT_EQ(ReadOne(wide, &ok), std::string(256, 'z'));
    // A second marker, a short body and a huge length are all refused.
    ReadOne({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0}, &ok);
    EXPECT_FALSE(ok);
    ReadOne({0xFF, 0xFE, 0xFF, 2, 'a', 0}, &ok);
    EXPECT_FALSE(ok);
    ReadOne({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, &ok);
    EXPECT_FALSE(ok);
}

TEST(Archive, CountForms) {
    Bytes b;
    ArchiveWriter w(b);
    w.WriteCount(65534);
    w.WriteCount(65535);
    EXPECT_EQ(b, (Bytes{0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0}));
    ArchiveReader r(b.data(), b.size());
    std::uint32_t c;
    ASSERT_TRUE(r.ReadCount(c));
    EXPECT_EQ(c, 65534u);
    ASSERT_TRUE(r.ReadCount(c));
    EXPECT_EQ(c, 65535u);
    EXPECT_FALSE(r.ReadCount(c));
}

} // namespace
} // namespace tavo
