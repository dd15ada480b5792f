// The test console's virtual clock and frames: scheduled resizes, the time limit, frames only
// at key reads.
#include "console/test_console.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(TestConsoleResize, EventsComeInTimeOrderAndRepaintAtOnce) {
    TestConsole console(80, 24);
    console.scheduleResize(50, 20, 900);
    console.scheduleResize(40, 10, 250);
    console.scheduleResize(100, 30, 250);  // same time: after the one scheduled before it
    console.gotoXY(0, 0);
    console.printText("x");
    console.sleepMs(200);
    EXPECT_EQ(console.columns(), 80);
    console.takeOutput();

    console.sleepMs(100);  // the clock passes 250 ms inside this sleep
    EXPECT_EQ(console.columns(), 100);
    EXPECT_EQ(console.rows(), 30);
    // The repaint went out inside the sleep: it shows the x that is overwritten afterwards.
    console.gotoXY(0, 0);
    console.printText("z");
    const std::string out = console.takeOutput();
    const auto clear = out.find("\x1b[2J");
    ASSERT_NE(clear, std::string::npos);
    EXPECT_LT(clear, out.find('x'));
    EXPECT_LT(out.find('x'), out.find('z'));

    console.tone(440, 700);  // reaches 1000 ms: the last event
    EXPECT_EQ(console.columns(), 50);
    EXPECT_EQ(console.rows(), 20);
}

TEST(TestConsoleResize, EventDuringAKeyWaitComesBeforeTheKey) {
    TestConsole console(80, 24);
    console.pushKey('a', 1000);
    console.scheduleResize(30, 5, 500);
    console.scheduleResize(60, 15, 1500);
    EXPECT_EQ(console.readKey(), 'a');
    EXPECT_EQ(console.nowMs(), 1000);
    EXPECT_EQ(console.columns(), 30);
    EXPECT_EQ(console.rows(), 5);
}

TEST(TestConsoleTimeLimit, EndsTheInputWithKeysLeft) {
    TestConsole console;
    console.setTimeLimitMs(1000);
    console.pushKey('a');
    console.pushKey('b', 1200);
    EXPECT_EQ(console.readKey(), 'a');
    console.sleepMs(1000);  // up to the limit itself
    EXPECT_THROW(console.tone(440, 1), EndOfInput);

    TestConsole waiting;
    waiting.setTimeLimitMs(1000);
    waiting.pushKey('b', 1200);
    EXPECT_THROW(waiting.readKey(), EndOfInput);  // the key would come too late
}

TEST(TestConsoleFrames, OnlyWhereAsked) {
    using Frames = TestConsole::Frames;
    for (const Frames frames : {Frames::AtEveryWait, Frames::AtKeyReads, Frames::None}) {
        TestConsole console(80, 24);
        console.setFrames(frames);
        console.pushKey('a', 500);
        console.printText("x");
        console.sleepMs(100);
        console.gotoXY(0, 0);
        console.printText("y");
        console.tone(440, 100);
        console.gotoXY(0, 0);
        console.printText("z");
        console.readKey();
        console.gotoXY(0, 0);
        console.printText("!");
        // Each wait shows what stood before it, where frames come at it.
        const std::string out = console.takeOutput();
        EXPECT_EQ(out.find('x') != std::string::npos, frames == Frames::AtEveryWait);
        EXPECT_EQ(out.find('y') != std::string::npos, frames == Frames::AtEveryWait);
        EXPECT_EQ(out.find('z') != std::string::npos, frames != Frames::None);
    }
}

}  // namespace
}  // namespace tarnwick
