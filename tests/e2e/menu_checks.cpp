#include "menu_checks.h"

namespace tarnwick::e2e {

namespace {

constexpr Colours RedOnBlack{1, 0};

struct MenuLine {
    int column;
    int row;
    std::string_view text;
};
constexpr MenuLine MenuLines[] = {
    {36, 12, "欢迎来到Tarnwick游戏"},
    {43, 14, "1. 开始游戏"},
    {43, 16, "2. 设置"},
    {43, 18, "3. 帮助"},
    {43, 20, "4. 关于(请谨慎进入因为进入可能要好久才能出来)"},
    {43, 22, "退出游戏请输入     0"},
    {43, 24, "5. 记录"},
};

}  // namespace

std::string screenOf(const PtySession& session) {
    return "screen:\n" + session.screenText();
}

bool menuShown(const PtySession& session) {
    // At its place, or moved on a terminal smaller than the menu.
    return session.screenText().find("退出游戏请输入     0") != std::string::npos;
}

void expectMenu(PtySession& session) {
    ASSERT_TRUE(session.waitUntil([&] { return menuShown(session); })) << screenOf(session);
    for (const MenuLine& line : MenuLines) {
        const std::string text(line.text);
        EXPECT_EQ(session.textAt(line.column, line.row, static_cast<int>(text.size()))
                      .substr(0, text.size()),
                  text)
            << screenOf(session);
        EXPECT_EQ(session.colours(line.column, line.row), RedOnBlack) << line.row;
    }
    EXPECT_EQ(session.colours(62, 22), RedOnBlack);  // the closing "0"
    EXPECT_EQ(session.row(0), "");
    EXPECT_EQ(session.row(13), "");
}

void expectRestored(PtySession& session) {
    EXPECT_FALSE(session.altScreen());
    EXPECT_TRUE(session.cursorVisible());
    EXPECT_NE(session.output().rfind("\x1b[23;0t"), std::string::npos);  // title popped
}

}  // namespace tarnwick::e2e
