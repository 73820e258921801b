#include "core/text/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace orvala {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("orvala-atomic-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all);
        fs::remove_all(dir_);
    }
    fs::path dir_;
};

TEST_F(AtomicFile, ReplacesTheWholeFileAndLeavesNoTemporary) {
    const std::string path = (dir_ / "Orvala.ini").string();
    ASSERT_TRUE(writeFileAtomically(path, std::string("first\r\nversion\r\n")));
    ASSERT_TRUE(writeFileAtomically(path, std::string("2\r\n", 3)));
    std::string back;
    ASSERT_TRUE(readFileBytes(path, back));
    EXPECT_EQ(back, "2\r\n");
    EXPECT_FALSE(fs::exists(path + ".new"));
    // Bytes of every value survive.
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    ASSERT_TRUE(writeFileAtomically(path, all));
    ASSERT_TRUE(readFileBytes(path, back));
    EXPECT_EQ(back, all);
}

TEST_F(AtomicFile, AFailedWriteKeepsTheOldFile) {
    const std::string path = (dir_ / "club.clb").string();
    ASSERT_TRUE(writeFileAtomically(path, "old"));
    if (::geteuid() != 0) {
        // Without write permission on the folder the new file cannot be made.
        fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(writeFileAtomically(path, "new"));
        fs::permissions(dir_, fs::perms::owner_all);
    }
    // A folder in the way of the temporary file fails the write even for root.
    fs::create_directories(path + ".new");
    EXPECT_FALSE(writeFileAtomically(path, "new"));
    std::string back;
    ASSERT_TRUE(readFileBytes(path, back));
    EXPECT_EQ(back, "old");
}

TEST_F(AtomicFile, ReadingRefusesMissingAndOversizedFiles) {
    std::string out;
    EXPECT_FALSE(readFileBytes((dir_ / "none").string(), out));
    const std::string path = (dir_ / "big").string();
    ASSERT_TRUE(writeFileAtomically(path, std::string(100, 'x')));
    EXPECT_FALSE(readFileBytes(path, out, 99));
    EXPECT_TRUE(readFileBytes(path, out, 100));
}

}  // namespace
}  // namespace orvala
