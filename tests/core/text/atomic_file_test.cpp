#include "core/text/atomic_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <string>

namespace orvala {
namespace {

namespace fs = std::filesystem;

int entries(const fs::path& dir) {
    return static_cast<int>(std::distance(fs::directory_iterator(dir), {}));
}

// Writes past `bytes` fail with EFBIG, as on a full disk, while this lives.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldSignal_);
    }

  private:
    rlimit old_{};
    void (*oldSignal_)(int) = nullptr;
};

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
    EXPECT_EQ(entries(dir_), 1);
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
    // A full disk, played by a file size limit, fails the write part way even for root.
    {
        FileSizeLimit full(64);
        EXPECT_FALSE(writeFileAtomically(path, std::string(1000, 'n')));
    }
    std::string back;
    ASSERT_TRUE(readFileBytes(path, back));
    EXPECT_EQ(back, "old");
    EXPECT_EQ(entries(dir_), 1);  // no temporary is left
}

TEST(AtomicFileWriteLoop, AWriteThatWritesNothingFailsInsteadOfLooping) {
    static int calls = 0;
    static std::string written;
    EXPECT_FALSE(detail::writeAll(-1, "abc", [](int, const void*, size_t) -> ssize_t {
        ++calls;
        return 0;
    }));
    EXPECT_EQ(calls, 1);
    // Interrupted and short writes go on until every byte is out.
    EXPECT_TRUE(detail::writeAll(-1, "abc", [](int, const void* p, size_t) -> ssize_t {
        if (++calls % 2 == 0) {
            errno = EINTR;
            return -1;
        }
        written += *static_cast<const char*>(p);
        return 1;
    }));
    EXPECT_EQ(written, "abc");
}

TEST_F(AtomicFile, ALinkIsWrittenThroughAndTheFileKeepsItsModeAndOwner) {
    fs::create_directories(dir_ / "real");
    fs::create_directories(dir_ / "home");
    const fs::path target = dir_ / "real" / "Orvala.ini";
    ASSERT_TRUE(writeFileAtomically(target.string(), "old"));
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, mode);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(target.c_str(), 4321, 4322), 0);
    }
    const fs::path link = dir_ / "home" / "Orvala.ini";
    fs::create_symlink("../real/Orvala.ini", link);

    ASSERT_TRUE(writeFileAtomically(link.string(), "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "../real/Orvala.ini");
    std::string back;
    ASSERT_TRUE(readFileBytes(target.string(), back));
    EXPECT_EQ(back, "new");
    EXPECT_EQ(fs::status(target).permissions(), mode);
    struct stat st;
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    if (root) {
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 4322u);
    }
    EXPECT_EQ(entries(dir_ / "real"), 1);
    EXPECT_EQ(entries(dir_ / "home"), 1);

    // A link to a file not made yet makes the file and stays a link.
    const fs::path later = dir_ / "home" / "later.ini";
    fs::create_symlink(dir_ / "real" / "later.ini", later);
    ASSERT_TRUE(writeFileAtomically(later.string(), "made"));
    EXPECT_TRUE(fs::is_symlink(later));
    ASSERT_TRUE(readFileBytes((dir_ / "real" / "later.ini").string(), back));
    EXPECT_EQ(back, "made");
}

TEST_F(AtomicFile, OnlyARegularFileIsReplaced) {
    ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0644), 0);
    fs::create_directory(dir_ / "folder");
    fs::create_symlink("fifo", dir_ / "to-fifo");
    fs::create_symlink("/dev/null", dir_ / "to-device");
    fs::create_symlink("loop-b", dir_ / "loop-a");
    fs::create_symlink("loop-a", dir_ / "loop-b");
    for (const char* name : {"fifo", "folder", "to-fifo", "to-device", "loop-a"})
        EXPECT_FALSE(writeFileAtomically((dir_ / name).string(), "x")) << name;
    EXPECT_TRUE(fs::is_fifo(dir_ / "fifo"));
    EXPECT_TRUE(fs::is_directory(dir_ / "folder"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(entries(dir_), 6);
}

TEST_F(AtomicFile, TemporariesLeftByADeadRunGoAndNoOtherFiles) {
    const std::string path = (dir_ / "Orvala.ini").string();
    for (const char* stale : {"Orvala.ini.new", "Orvala.ini.new.a1B2c3"})
        ASSERT_TRUE(writeFileAtomically((dir_ / stale).string(), "stale"));
    const char* const kept[] = {"Orvala.ini.newer", "Orvala.ini.new.backup.txt",
                                "Other.ini.new.a1B2c3", "Orvala.ini.new.LIVE42"};
    for (const char* name : kept) ASSERT_TRUE(writeFileAtomically((dir_ / name).string(), "x"));
    // Another writer's temporary, locked while it writes.
    const int live = ::open((dir_ / "Orvala.ini.new.LIVE42").c_str(), O_RDONLY);
    ASSERT_GE(live, 0);
    ASSERT_EQ(::flock(live, LOCK_EX), 0);

    ASSERT_TRUE(writeFileAtomically(path, "settings"));
    ::close(live);
    EXPECT_FALSE(fs::exists(path + ".new"));
    EXPECT_FALSE(fs::exists(path + ".new.a1B2c3"));
    for (const char* name : kept) EXPECT_TRUE(fs::exists(dir_ / name)) << name;
    EXPECT_EQ(entries(dir_), 5);
}

// A FIFO in place of a file must not hold the reader: if it does, a writer lets it go and the
// test fails instead of hanging.
TEST_F(AtomicFile, ReadingRefusesWhatIsNotARegularFileWithoutWaiting) {
    const fs::path fifo = dir_ / "Orvala.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    auto reading = std::async(std::launch::async, [&] {
        std::string out;
        return readFileBytes(fifo.string(), out);
    });
    if (reading.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
        FAIL() << "the reader waits on a FIFO";
    }
    EXPECT_FALSE(reading.get());
    fs::create_symlink("Orvala.ini", dir_ / "link");
    fs::create_directory(dir_ / "folder");
    for (const fs::path& p : {fifo, dir_ / "link", dir_ / "folder", fs::path("/dev/zero")})
        EXPECT_EQ(readFileInPieces(p.string(), [](std::string_view) { return true; }),
                  FileRead::Unreadable)
            << p;
    EXPECT_EQ(readFileInPieces((dir_ / "none").string(), [](std::string_view) { return true; }),
              FileRead::Missing);
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
