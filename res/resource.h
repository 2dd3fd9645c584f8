// Identifiers shared by the resource script and the code.
#pragma once

// IDCANCEL (2) is the "Exit" button.
#define IDC_ABOUT         4

#define IDD_MAIN          101
#define IDI_APP           102
#define IDD_ABOUT         103

#define IDC_TEXT          1000
#define IDC_TO_UNICODE    1001
#define IDC_TO_TIS620     1002
#define IDC_TO_ENTITIES   1003
#define IDC_FROM_ESCAPES  1004
#define IDC_SMART_TONE    1005
#define IDC_TO_PERCENT    1006
