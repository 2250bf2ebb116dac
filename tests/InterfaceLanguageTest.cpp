#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/class_library/AfxStrings.h"
#include "platform/window_system/InterfaceLanguage.h"
#include "platform/window_system/Resources.h"
#include "res/resource.h"

namespace {

constexpr LANGID kChinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// LANGUAGE set for one test, and put back as it was.
class ScopedLanguage {
public:
    explicit ScopedLanguage(const char* value) {
        if (const char* old = std::getenv("LANGUAGE")) m_old = old;
        setenv("LANGUAGE", value, 1);
    }
    ~ScopedLanguage() { m_old ? setenv("LANGUAGE", m_old->c_str(), 1) : unsetenv("LANGUAGE"); }
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;

private:
    std::optional<std::string> m_old;
};

TEST(InterfaceLanguage, ReadsTheUsersWishAsGnuProgramsDo) {
    struct Row {
        const char *language, *lcAll, *lcMessages, *lang;
        LANGID expected;
    };
    const Row rows[] = {
        {nullptr, nullptr, nullptr, nullptr, kChinese},              // nothing set: the program's own language
        {nullptr, nullptr, nullptr, "C.UTF-8", kChinese},            // no language named
        {nullptr, nullptr, nullptr, "POSIX", kChinese},              //
        {nullptr, nullptr, nullptr, "zh_TW.UTF-8", kChinese},        // any Chinese
        {nullptr, nullptr, nullptr, "en_GB.UTF-8", kEnglish},        //
        {nullptr, nullptr, nullptr, "de_DE.UTF-8", kEnglish},        // a language the program lacks: English, as Windows falls back
        {"en", nullptr, nullptr, nullptr, kEnglish},                 // how a user asks
        {"en", nullptr, nullptr, "zh_CN.UTF-8", kEnglish},           // LANGUAGE comes first
        {"", nullptr, nullptr, "de_DE.UTF-8", kEnglish},             // an empty LANGUAGE is not set
        {"fr:zh_CN:en", nullptr, nullptr, nullptr, kChinese},        // the first of the list the program has
        {"fr:de", nullptr, nullptr, "zh_CN.UTF-8", kEnglish},        // only languages it lacks
        {"::", nullptr, nullptr, "en_US.UTF-8", kEnglish},           // empty entries name nothing
        {"C", nullptr, nullptr, "en_US.UTF-8", kChinese},            // untranslated
        {nullptr, "zh_CN.UTF-8", "en_US.UTF-8", "en_US", kChinese},  // LC_ALL before LC_MESSAGES before LANG
        {nullptr, "", "en_US.UTF-8", "zh_CN", kEnglish},             //
        {nullptr, nullptr, "C", "en_US.UTF-8", kChinese},            //
    };
    for (const Row& row : rows)
        EXPECT_EQ(InterfaceLanguageFrom(row.language, row.lcAll, row.lcMessages, row.lang), row.expected)
            << (row.language ? row.language : "-") << " " << (row.lcAll ? row.lcAll : "-") << " " << (row.lcMessages ? row.lcMessages : "-") << " "
            << (row.lang ? row.lang : "-");
}

bool HasChinese(const char* text) {
    // Every CJK ideograph and full-width punctuation mark is three bytes in UTF-8, led by 0xE3 to 0xE9 or 0xEF.
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); p != nullptr && *p != 0; ++p)
        if ((*p >= 0xE3 && *p <= 0xE9) || *p == 0xEF) return true;
    return false;
}

const ResourceTable& SetIn(WORD primary) {
    for (const ResourceTable& set : ProgramResourceSets())
        if (PRIMARYLANGID(set.language) == primary) return set;
    ADD_FAILURE() << "no resources in language " << primary;
    return ProgramResourceSets().front();
}

// The English dialogs are the Chinese ones put into English: nothing may move,
// no control may change, and no Chinese may be left behind.
TEST(InterfaceLanguage, TheEnglishResourcesMatchTheChineseOnesAndAreEnglishThroughout) {
    const ResourceTable& chinese = SetIn(LANG_CHINESE);
    const ResourceTable& english = SetIn(LANG_ENGLISH);
    EXPECT_EQ(chinese.language, kChinese);
    EXPECT_EQ(english.language, kEnglish);
    ASSERT_EQ(english.dialogs.size(), chinese.dialogs.size());
    for (std::size_t d = 0; d < chinese.dialogs.size(); ++d) {
        const DialogTemplate &zh = chinese.dialogs[d], &en = english.dialogs[d];
        EXPECT_EQ(en.id, zh.id);
        EXPECT_EQ(en.style, zh.style);
        EXPECT_GE(en.cx, zh.cx) << "a dialog may widen for English, not shrink";
        EXPECT_FALSE(HasChinese(en.caption)) << en.caption;
        ASSERT_EQ(en.items.size(), zh.items.size());
        for (std::size_t i = 0; i < zh.items.size(); ++i) {
            const DialogItemTemplate &a = zh.items[i], &b = en.items[i];
            EXPECT_EQ(std::tie(b.id, b.windowClass, b.style, b.x, b.y, b.cx, b.cy), std::tie(a.id, a.windowClass, a.style, a.x, a.y, a.cx, a.cy))
                << "item " << i << " of dialog " << zh.id;
            EXPECT_FALSE(HasChinese(b.text)) << b.text;
        }
    }
    ASSERT_EQ(english.strings.size(), chinese.strings.size());
    for (std::size_t i = 0; i < chinese.strings.size(); ++i) {
        EXPECT_EQ(english.strings[i].id, chinese.strings[i].id);
        EXPECT_FALSE(HasChinese(english.strings[i].text)) << english.strings[i].text;
    }
    for (const VersionField& field : english.versionFields) EXPECT_FALSE(HasChinese(field.value)) << field.name;
}

// Each resource, and the class library's texts, in the language the user asks for.
TEST(InterfaceLanguage, ResourcesAreFoundInTheUsersLanguage) {
    struct Row {
        const char* language;
        const char* caption;
        const char* aboutItem;
        const char* prompt;
    };
    const Row rows[] = {
        {"en", "About Dotwise", "&About Dotwise...", "Please enter a number."},
        {"de:fr", "About Dotwise", "&About Dotwise...", "Please enter a number."},
        {"zh_CN", "关于 Dotwise", "关于 Dotwise(&A)...", "请输入一个数。"},
        {"C", "关于 Dotwise", "关于 Dotwise(&A)...", "请输入一个数。"},
    };
    for (const Row& row : rows) {
        ScopedLanguage language(row.language);
        const DialogTemplate* about = FindDialogTemplate(IDD_ABOUTBOX);
        ASSERT_NE(about, nullptr);
        EXPECT_STREQ(about->caption, row.caption) << row.language;
        CString item;
        EXPECT_TRUE(item.LoadString(IDS_ABOUTBOX));
        EXPECT_EQ(item, row.aboutItem) << row.language;
        EXPECT_EQ(AfxLoadText(AFX_IDP_PARSE_REAL), row.prompt) << row.language;
        EXPECT_STREQ(InterfaceText("确定", "OK"), PRIMARYLANGID(InterfaceLanguage()) == LANG_CHINESE ? "确定" : "OK");
    }
}

}  // namespace
