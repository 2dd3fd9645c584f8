// Centring over a window, kept on the screen, and the text box layout.
#include "placement.h"

int CenteredStart(int otherStart, int otherSize, int size, int screenSize) {
    // 64-bit arithmetic: no coordinate a window can have overflows here.
    long long start = otherStart + (static_cast<long long>(otherSize) - size) / 2;
    if (start < 0) return 0;
    if (start + size > screenSize) return static_cast<int>(static_cast<long long>(screenSize) - size);
    return static_cast<int>(start);
}

TextBoxPlace LayTextBox(int top, unsigned short clientWidth, unsigned short clientHeight) {
    return {10, top, clientWidth - 20, clientHeight - top - 10};
}
