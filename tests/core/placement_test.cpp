// Where the About box goes over the main window, and where the text box goes
// when the main window is resized.
#include "placement.h"

#include <gtest/gtest.h>

TEST(CenteredStart, CentresOverTheOtherWindowAndKeepsTheFarEdgesOnTheScreen) {
    const struct {
        const char* what;
        int otherStart, otherSize, size, screen, start;
    } cases[] = {
        {"centered", 100, 400, 200, 1024, 200},
        {"odd difference truncated", 100, 207, 200, 1024, 103},
        {"box 7 wider: 3 to the left, not 4", 100, 200, 207, 1024, 97},
        {"box as large as the window", 50, 300, 300, 1024, 50},
        {"off the near edge", -300, 400, 200, 1024, 0},
        {"centered start exactly 0 stays", -100, 400, 200, 1024, 0},
        {"centered start -1 goes to 0", -101, 400, 200, 1024, 0},
        {"off the far edge: ends at the screen's edge", 900, 400, 200, 1024, 824},
        {"far edge exactly at the screen's edge stays", 724, 400, 200, 1024, 824},
        {"far edge one beyond it is pulled back", 725, 400, 200, 1024, 824},
        {"wider than the screen, centered start negative", 0, 100, 1200, 1024, 0},
        {"wider than the screen, centered start positive", 800, 1000, 1200, 1024, -176},
        {"window on a monitor to the left", -1500, 800, 200, 1024, 0},
        {"window on a monitor to the right", 1300, 800, 200, 1024, 824},
        {"minimised window of size 0", 3000, 0, 200, 1024, 824},
        {"huge coordinates do not overflow", 2000000000, 2000000000, 100, 1024, 924},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CenteredStart(c.otherStart, c.otherSize, c.size, c.screen), c.start) << c.what;
    }
}

TEST(LayTextBox, LeavesTenPixelsLeftRightAndBelowAndKeepsTheTop) {
    const struct {
        const char* what;
        int top;
        unsigned short width, height;
        TextBoxPlace place;
    } cases[] = {
        {"template size", 68, 717, 399, {10, 68, 697, 321}},
        {"maximised", 68, 1280, 995, {10, 68, 1260, 917}},
        {"minimised: 0 by 0, not clamped", 68, 0, 0, {10, 68, -20, -78}},
        {"narrower than 20", 68, 19, 399, {10, 68, -1, 321}},
        {"exactly 20 wide and T + 10 high", 68, 20, 78, {10, 68, 0, 0}},
        {"largest client area", 68, 65535, 65535, {10, 68, 65515, 65457}},
        {"top above the client area", -5, 300, 200, {10, -5, 280, 195}},
    };
    for (const auto& c : cases) {
        TextBoxPlace got = LayTextBox(c.top, c.width, c.height);
        EXPECT_EQ(got.x, c.place.x) << c.what;
        EXPECT_EQ(got.y, c.place.y) << c.what;
        EXPECT_EQ(got.width, c.place.width) << c.what;
        EXPECT_EQ(got.height, c.place.height) << c.what;
    }
}
