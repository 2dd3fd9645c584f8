// The main of the tests that run under Wine: it first makes sure that the ANSI
// code page is the one the run asked for (TOLVANE_EXPECT_ACP), since Wine takes
// it from the locale variables and a wrong one would make the tests prove
// nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (const char* expected = getenv("TOLVANE_EXPECT_ACP")) {
        if (GetACP() != static_cast<UINT>(atoi(expected))) {
            fprintf(stderr, "expected ANSI code page %s, got %u: check LC_ALL\n", expected, GetACP());
            return 1;
        }
    }
    printf("ANSI code page %u\n", GetACP());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
