// The window geometry rules of the program as plain integer arithmetic, free of
// any platform call: where the About box goes over the main window, and where
// the text box goes when the main window is resized. All values are pixels.
#pragma once

// The start of a window of `size` centered over another window that starts at
// `otherStart` and is `otherSize` long, on one axis of a screen `screenSize`
// long. The difference of the sizes is halved toward zero. A start below 0
// becomes 0; otherwise a far edge beyond the screen is pulled back to it (which
// may give a negative start for a window longer than the screen).
int CenteredStart(int otherStart, int otherSize, int size, int screenSize);

// The text box's place in a client area of clientWidth by clientHeight (each the
// unsigned 16-bit half of WM_SIZE's LPARAM) when its top edge is at `top`: 10
// pixels from the left, right and bottom edges. Width and height are not
// clamped; a client area too small gives them negative.
struct TextBoxPlace {
    int x, y, width, height;
};
TextBoxPlace LayTextBox(int top, unsigned short clientWidth, unsigned short clientHeight);
