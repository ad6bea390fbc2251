// Outside files are looked at before they are read: anything but a regular file of the
// format's size is refused at once, and nothing read is kept.

#include "platform/file_read.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "platform/durable_file.h"
#include "support/test_files.h"

namespace tavo {
namespace {

TEST(ReadRegularFile, RefusesWhatIsNoFileOfTheFormatAtOnce) {
    const std::string dir = test::FreshDir("platform", "refusals");
    const std::string pipe = test::MakePipe(dir, "pipe.flt");
    ASSERT_FALSE(pipe.empty());
    // Two gigabytes that take no room on disk: the size alone refuses it.
    const std::string sparse = dir + "/sparse.flt";
    std::ofstream(sparse, std::ios::binary).close();
    std::filesystem::resize_file(sparse, 2ull << 30);
    test::WriteFileBytes(dir + "/four.flt", "abcd");
#ifdef _WIN32
    const std::string device = "NUL";
#else
    const std::string device = "/dev/zero"; // endless: a read to the limit takes seconds
#endif
    const struct {
        std::string path;
        std::uintmax_t limit;
        ReadRefusal refusal;
        const char* reason; // empty: the system's words
    } cases[] = {
        {pipe, 1000, ReadRefusal::NotAFile, "a pipe, not a regular file"},
        {device, 512u << 20, ReadRefusal::NotAFile, "a device, not a regular file"},
        {dir, 1000, ReadRefusal::Folder, "a folder, not a regular file"},
        {sparse, 512u << 20, ReadRefusal::TooLarge, "the file is too large"},
        {dir + "/four.flt", 3, ReadRefusal::TooLarge, "the file is too large"},
        {dir + "/missing.flt", 1000, ReadRefusal::Missing, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        std::vector<std::uint8_t> bytes{1, 2, 3};
        const ReadResult result = ReadRegularFile(c.path, c.limit, bytes);
        EXPECT_EQ(result.refusal, c.refusal);
        if (*c.reason != '\0')
            EXPECT_EQ(result.reason, c.reason);
        else
            EXPECT_FALSE(result.reason.empty());
        EXPECT_EQ(bytes, (std::vector<std::uint8_t>{1, 2, 3}));
    }
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(ReadRegularFile(dir + "/four.flt", 4, bytes));
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{'a', 'b', 'c', 'd'}));
}

TEST(DurableFile, NamesAreUtf8AndAReplacedFileIsWhole) {
    // The program's paths are UTF-8 on every system; Windows takes them as UTF-16.
    const std::string dir = test::FreshDir("platform", "durable");
    const std::string path = dir + "/fl\xC3\xBCg.flt";
    const std::string temp = path + ".tmp";
    for (const std::string text : {"first, longer", "second"}) {
        std::string reason;
        std::FILE* file = OpenFileForWriting(temp, reason);
        ASSERT_NE(file, nullptr) << reason;
        ASSERT_EQ(std::fwrite(text.data(), 1, text.size(), file), text.size());
        ASSERT_EQ(std::fflush(file), 0);
        EXPECT_TRUE(SyncFile(file, reason)) << reason;
        ASSERT_EQ(std::fclose(file), 0);
        ASSERT_TRUE(MoveIntoPlace(temp, path, reason)) << reason;
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(ReadRegularFile(path, 100, bytes));
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), text);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              1);
}

} // namespace
} // namespace tavo
