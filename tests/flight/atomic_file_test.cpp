// Atomic writes: a replaced file is whole, a failed write leaves no file and no
// temporary behind and says why in the system's words.

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "flight/atomic_file.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

fs::path FreshDir(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / ("tavokit_atomic_" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(AtomicFile, ReplacesWholeAndLeavesNothingBehind) {
    const fs::path dir = FreshDir("replace");
    const std::string path = (dir / "out.txt").string();
    std::string reason;
    ASSERT_TRUE(WriteFileAtomically(path, std::string(100000, 'x'), reason)) << reason;
    ASSERT_TRUE(WriteFileAtomically(path, std::string("short"), reason)) << reason;
    EXPECT_EQ(Contents(path), "short");
    ASSERT_TRUE(WriteFileAtomically(path, std::string(), reason)) << reason;
    EXPECT_EQ(Contents(path), "");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"out.txt"});
}

TEST(AtomicFile, FailuresGiveTheSystemsReason) {
    const fs::path dir = FreshDir("fail");
    // The expected texts come from the standard library, not from the code under test.
    const std::string noEntry = std::generic_category().message(ENOENT);
    const std::string isFolder = std::generic_category().message(EISDIR);
    // Windows words a rename over a folder and a missing file in texts of its own,
    // which differ between its versions and Wine: there they need only be there.
    const auto expectReason = [](const std::string& reason, const std::string& posix) {
#ifdef _WIN32
        EXPECT_FALSE(reason.empty()) << posix;
#else
        EXPECT_EQ(reason, posix);
#endif
    };
    std::string reason;
    EXPECT_FALSE(WriteFileAtomically((dir / "missing" / "out.txt").string(), "x", reason));
    EXPECT_EQ(reason, noEntry);
    // The rename cannot put a file over a folder; the temporary goes again.
    fs::create_directory(dir / "taken");
    reason.clear();
    EXPECT_FALSE(WriteFileAtomically((dir / "taken").string(), std::string("x"), reason));
    expectReason(reason, isFolder);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"taken"});

    std::vector<std::uint8_t> bytes{1, 2, 3};
    reason.clear();
    EXPECT_FALSE(ReadWholeFile((dir / "missing.flt").string(), 100, bytes, reason));
    expectReason(reason, noEntry);
    ASSERT_TRUE(WriteFileAtomically((dir / "four").string(), std::string("abcd"), reason));
    EXPECT_FALSE(ReadWholeFile((dir / "four").string(), 3, bytes, reason));
    EXPECT_EQ(reason, "the file is too large");
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{1, 2, 3}));
    ASSERT_TRUE(ReadWholeFile((dir / "four").string(), 4, bytes, reason));
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{'a', 'b', 'c', 'd'}));

    EXPECT_EQ(SystemErrorText(ENOENT), noEntry);
    EXPECT_EQ(SystemErrorText(std::make_error_code(std::errc::is_a_directory)), isFolder);
}

} // namespace
} // namespace tavo
