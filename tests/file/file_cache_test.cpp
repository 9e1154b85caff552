#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "base/gx_bin_buffer.h"
#include "file/gx_file.h"
#include "file/gx_file_cache.h"
#include "platform/gx_clock.h"
#include "support/current_dir.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string BufferText(const GxBinBuffer& buffer) {
    return std::string(reinterpret_cast<const char*>(buffer.GetData()), buffer.GetSize());
}

GxBinBuffer& Filled(GxBinBuffer& buffer, GxU32 size) {
    buffer.Alloc(size);
    return buffer;
}

// Whole-file loads through the process cache, with the game folder as the
// current directory.
class FileCacheTest : public ::testing::Test {
protected:
    FileCacheTest() {
        SetFileCacheCapacity(kDefaultFileCacheCapacity);
        SetFileCacheFileLimit(kDefaultFileCacheFileLimit);
        SetFileCacheEnabled(true);
    }
    ~FileCacheTest() override {
        SetFileCacheEnabled(false);
        ClearFileCache();
    }
    // Rewrites a file and gives it the time stamp `stamp` (seconds from an epoch).
    void WriteWithTime(const std::string& name, const std::string& bytes, int stamp) {
        game.Write(name, bytes);
        fs::last_write_time(game.Path() / name,
                            fs::file_time_type(std::chrono::seconds(1'700'000'000 + stamp)));
    }
    std::string Load(std::u16string_view path) {
        GxBinBuffer buffer;
        EXPECT_TRUE(LoadFile(buffer, path, true, false));
        return BufferText(buffer);
    }
    gxtest::TempDir game;
    gxtest::ScopedCurrentDir inGame{game.Path()};
    GxFileCache& cache = gx::GetFileCache();
};

TEST_F(FileCacheTest, HitsUntilTheTimeStampChanges) {
    WriteWithTime("pic.png", "old", 1);
    EXPECT_EQ(Load(u"pic.png"), "old");
    EXPECT_EQ(cache.GetTotalSize(), 3u);
    // Same time stamp: the cached copy answers, even under another spelling.
    WriteWithTime("pic.png", "new", 1);
    EXPECT_EQ(Load(u"PIC.png"), "old");
    // A new time stamp reads the disk and replaces the cached copy.
    WriteWithTime("pic.png", "newer", 2);
    EXPECT_EQ(Load(u"pic.png"), "newer");
    EXPECT_EQ(cache.GetTotalSize(), 5u);
    // Loads without the cache always read the disk.
    WriteWithTime("pic.png", "fresh", 2);
    GxBinBuffer buffer;
    ASSERT_TRUE(LoadFile(buffer, u"pic.png", false, false));
    EXPECT_EQ(BufferText(buffer), "fresh");
}

TEST_F(FileCacheTest, DisabledCacheReadsTheDiskEveryTime) {
    SetFileCacheEnabled(false);
    WriteWithTime("a.txt", "one", 1);
    EXPECT_EQ(Load(u"a.txt"), "one");
    WriteWithTime("a.txt", "two", 1);
    EXPECT_EQ(Load(u"a.txt"), "two");
    EXPECT_EQ(cache.GetTotalSize(), 0u);
}

TEST_F(FileCacheTest, FilesAboveTheLimitAreNeverCached) {
    WriteWithTime("big.ogg", std::string(kDefaultFileCacheFileLimit + 1, 'b'), 1);
    WriteWithTime("fits.ogg", std::string(kDefaultFileCacheFileLimit, 'f'), 1);
    EXPECT_EQ(Load(u"big.ogg").size(), kDefaultFileCacheFileLimit + 1);
    EXPECT_EQ(cache.GetTotalSize(), 0u);
    EXPECT_EQ(Load(u"fits.ogg").size(), kDefaultFileCacheFileLimit);
    EXPECT_EQ(cache.GetTotalSize(), kDefaultFileCacheFileLimit);
}

TEST(FileCacheEvictionTest, FreesAtLeastAQuarterOldestFirst) {
    GxManualClock clock;
    gx::SetClock(&clock);
    GxFileCache cache;
    cache.SetCapacity(1000);
    cache.SetFileLimit(1000);
    cache.SetEnabled(true);
    GxBinBuffer buffer;
    const std::u16string keys[] = {u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9"};
    for (const auto& key : keys) {
        clock.Advance(1000);
        ASSERT_TRUE(cache.Insert(key, Filled(buffer, 100), 1));
    }
    EXPECT_EQ(cache.GetTotalSize(), 1000u);
    // Using "0" makes it the newest; the three oldest after it go.
    clock.Advance(1000);
    ASSERT_NE(cache.Find(u"0", 1), nullptr);
    EXPECT_EQ(cache.Find(u"0", 2), nullptr);  // another time stamp misses
    clock.Advance(1000);
    ASSERT_TRUE(cache.Insert(u"new", Filled(buffer, 100), 1));
    EXPECT_EQ(cache.GetTotalSize(), 800u);
    for (const auto& key : keys) {
        const bool evicted = key == u"1" || key == u"2" || key == u"3";
        EXPECT_EQ(cache.Find(key, 1) == nullptr, evicted) << static_cast<char>(key[0]);
    }
    // A file larger than a quarter evicts at least its own size.
    ASSERT_TRUE(cache.Insert(u"large", Filled(buffer, 500), 1));
    EXPECT_LE(cache.GetTotalSize(), 1000u);
    EXPECT_NE(cache.Find(u"large", 1), nullptr);
    // Too large for the capacity: not cached, and the old copy is gone.
    cache.SetFileLimit(5000);
    EXPECT_FALSE(cache.Insert(u"large", Filled(buffer, 1001), 1));
    EXPECT_EQ(cache.Find(u"large", 1), nullptr);
    cache.Clear();
    EXPECT_EQ(cache.GetTotalSize(), 0u);
    gx::SetClock(nullptr);
}

}  // namespace
