// The output's character set: GBK and GB18030 locales get their own bytes, others UTF-8.
#include "terminal/output_encoding.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace tarnwick {
namespace {

// The menu's first line and board glyphs: colours, Chinese, the ambiguous characters.
constexpr std::string_view Sample = "\x1b[40;31m欢迎 〇█● ·—\x1b[m";

TEST(OutputEncoding, GbkAndGb18030LocalesGetTheirOwnBytes) {
    const std::string expected =
        "\x1b[40;31m\xBB\xB6\xD3\xAD \xA9\x96\xA8\x80\xA1\xF1 \xA1\xA4\xA1\xAA\x1b[m";
    for (const std::string_view codeset : {"GB18030", "gbk", "GBK"}) {
        OutputEncoding encoding(codeset);
        EXPECT_TRUE(encoding.converts()) << codeset;
        EXPECT_EQ(encoding.encode(Sample), expected) << codeset;
        EXPECT_EQ(encoding.encode(Sample), expected) << "a second frame, same handle";
    }
    for (const std::string_view codeset : {"UTF-8", "ANSI_X3.4-1968", "", "GB2312x", "GB"}) {
        OutputEncoding encoding(codeset);
        EXPECT_FALSE(encoding.converts()) << codeset;
        EXPECT_EQ(encoding.name(), "UTF-8");
        EXPECT_EQ(encoding.encode(Sample), Sample);
    }
}

TEST(OutputEncoding, CharactersTheSetLacksBecomeOneStandInPerColumn) {
    // U+FFFD (what the screen makes of malformed text) and a wide emoji are not in GBK.
    OutputEncoding gbk("GBK");
    EXPECT_EQ(gbk.encode("a\xEF\xBF\xBD"
                         "b\xF0\x9F\x98\x80"
                         "c怪"),
              "a?b??c\xB9\xD6");
    EXPECT_EQ(gbk.encode("x\xFF\xE6\x80"), "x??");  // malformed and cut-off input
    // GB18030 has every character: four-byte forms, no stand-ins.
    OutputEncoding gb18030("GB18030");
    EXPECT_EQ(gb18030.encode("\xEF\xBF\xBD"), "\x84\x31\xA4\x37");
    EXPECT_EQ(gb18030.encode("\xF0\x9F\x98\x80").size(), 4u);
}

TEST(OutputEncoding, AWholeFrameConverts) {
    std::string frame;
    for (int i = 0; i < 5000; ++i) {
        frame += "\x1b[44;34m██\x1b[m怪 ";
    }
    OutputEncoding encoding("GB18030");
    const std::string out = encoding.encode(frame);
    // Each piece: 8 + 4 + 3 escape and 2 + 1 character bytes.
    EXPECT_EQ(out.size(), 5000u * (8 + 4 + 3 + 2 + 1));
    EXPECT_EQ(out.substr(out.size() - 18), "\x1b[44;34m\xA8\x80\xA8\x80\x1b[m\xB9\xD6 ");
}

TEST(OutputEncoding, LocaleCodesetReadsTheEnvironmentAndLeavesTheLocale) {
    const char* saved = std::getenv("LC_ALL");
    const std::string savedValue = saved != nullptr ? saved : "";
    const std::string before = std::setlocale(LC_CTYPE, nullptr);
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(localeCodeset(), "ANSI_X3.4-1968");
    setenv("LC_ALL", "C.UTF-8", 1);
    EXPECT_EQ(localeCodeset(), "UTF-8");
    EXPECT_EQ(std::setlocale(LC_CTYPE, nullptr), before);
    if (saved != nullptr) {
        setenv("LC_ALL", savedValue.c_str(), 1);
    } else {
        unsetenv("LC_ALL");
    }
}

}  // namespace
}  // namespace tarnwick
