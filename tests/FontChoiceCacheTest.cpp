#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>

#include "platform/gui/FontChoiceCache.h"

namespace {

namespace fs = std::filesystem;

void Write(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary | std::ios::trunc) << text; }

// A configuration and a font of a test's own, under a scratch folder.
class FontChoiceCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = fs::temp_directory_path() / ("dotwise-font-cache-" + std::to_string(::getpid()));
        fs::remove_all(m_root);
        fs::create_directories(m_root / "conf.d");
        Write(m_root / "fonts.conf", "<fontconfig/>");
        Write(m_root / "conf.d" / "10-a.conf", "<fontconfig/>");
        Write(m_root / "uming.ttc", "not really a font");
        m_cache = {(m_root / "cache" / "dotwise" / "dialog-font").string(),
                   {(m_root / "fonts.conf").string(), (m_root / "conf.d").string(), (m_root / "missing.conf").string()}};
        m_font = {(m_root / "uming.ttc").string(), 1, "AR PL UMing CN"};
    }
    void TearDown() override { fs::remove_all(m_root); }

    fs::path m_root;
    FontChoiceCache m_cache;
    FontFile m_font;
};

bool Same(const std::optional<FontFile>& a, const FontFile& b) { return a && a->path == b.path && a->index == b.index && a->family == b.family; }

TEST_F(FontChoiceCacheTest, AChoiceIsKeptWhileNothingChanged) {
    EXPECT_FALSE(ReadFontChoice(m_cache)) << "nothing kept yet";
    WriteFontChoice(m_cache, m_font);
    EXPECT_TRUE(Same(ReadFontChoice(m_cache), m_font));
}

// Each change that could make fontconfig choose otherwise, or the file differ, throws the choice away.
TEST_F(FontChoiceCacheTest, AnyChangeToTheConfigurationOrTheFontThrowsItAway) {
    const std::function<void(const fs::path&)> changes[] = {
        [](const fs::path& root) { Write(root / "fonts.conf", "<fontconfig><dir>/x</dir></fontconfig>"); },
        [](const fs::path& root) { Write(root / "conf.d" / "10-a.conf", "<fontconfig><!-- changed --></fontconfig>"); },
        [](const fs::path& root) { Write(root / "conf.d" / "20-b.conf", "<fontconfig/>"); },
        [](const fs::path& root) { fs::remove(root / "conf.d" / "10-a.conf"); },
        [](const fs::path& root) { Write(root / "missing.conf", "<fontconfig/>"); },
        [](const fs::path& root) { Write(root / "uming.ttc", "another font altogether"); },
        [](const fs::path& root) { fs::remove(root / "uming.ttc"); },
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        SetUp();
        WriteFontChoice(m_cache, m_font);
        ASSERT_TRUE(ReadFontChoice(m_cache));
        changes[i](m_root);
        EXPECT_FALSE(ReadFontChoice(m_cache)) << "change " << i;
    }
}

TEST_F(FontChoiceCacheTest, AFileThatIsNotAKeptChoiceIsPassedOver) {
    fs::create_directories(fs::path(m_cache.file).parent_path());
    WriteFontChoice(m_cache, m_font);
    std::ifstream in(m_cache.file);
    const std::string good((std::istreambuf_iterator<char>(in)), {});
    const std::string bad[] = {
        "",
        "garbage",
        "dotwise dialog font 2\n" + good.substr(good.find('\n') + 1),
        good.substr(0, good.find('\n') + 1) + "relative/path.ttc\n1\nX\n",
        [&] {
            std::string s = good;
            s.replace(s.find("\n1\n"), 3, "\n99999999999\n");
            return s;
        }(),
        good + std::string(300 * 1024, 'x'),
    };
    for (const std::string& text : bad) {
        Write(m_cache.file, text);
        EXPECT_FALSE(ReadFontChoice(m_cache)) << text.substr(0, 60);
    }
}

TEST(UserFontChoiceCache, FollowsTheUsersFoldersAndStandsAsideForAnotherConfiguration) {
    const char* saved[] = {std::getenv("HOME"), std::getenv("XDG_CACHE_HOME"), std::getenv("FONTCONFIG_FILE")};
    const std::string keep[] = {saved[0] ? saved[0] : "", saved[1] ? saved[1] : "", saved[2] ? saved[2] : ""};
    ::setenv("HOME", "/home/someone", 1);
    ::setenv("XDG_CACHE_HOME", "relative", 1);
    ::unsetenv("FONTCONFIG_FILE");
    const auto cache = UserFontChoiceCache();
    ASSERT_TRUE(cache);
    EXPECT_EQ(cache->file, "/home/someone/.cache/dotwise/dialog-font");
    ::setenv("FONTCONFIG_FILE", "/elsewhere/fonts.conf", 1);
    EXPECT_FALSE(UserFontChoiceCache());
    const char* names[] = {"HOME", "XDG_CACHE_HOME", "FONTCONFIG_FILE"};
    for (int i = 0; i < 3; ++i) saved[i] ? ::setenv(names[i], keep[i].c_str(), 1) : ::unsetenv(names[i]);
}

}  // namespace
