#include <gtest/gtest.h>

#include "core/gx_entry.h"

namespace {

TEST(EntryOptionsTest, OptionsAreReadAndBadOnesRefused) {
    GxEntryOptions options;
    std::string error;
    ASSERT_TRUE(gx::ParseEntryOptions({"--game", "dir/ゲーム", "--headless", "--frames", "120"},
                                      options, error));
    EXPECT_EQ(options.gameFolder, u"dir/ゲーム");
    EXPECT_TRUE(options.headless);
    EXPECT_EQ(options.frames, 120);
    EXPECT_FALSE(options.help);

    const std::vector<std::vector<std::string>> bad = {
        {"--game"},         {"--game", ""},      {"--frames"},  {"--frames", "0"},
        {"--frames", "-3"}, {"--frames", "12x"}, {"--unknown"}, {"game-folder"}};
    for (const auto& arguments : bad) {
        GxEntryOptions ignored;
        error.clear();
        EXPECT_FALSE(gx::ParseEntryOptions(arguments, ignored, error)) << arguments.front();
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
