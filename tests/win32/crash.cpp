// A program that crashes on purpose, so that a test can show that a crash
// under Wine is reported as a failure at once rather than after a timeout.
#include <windows.h>

#include <cstdio>

int main() {
    std::puts("crashing now");
    std::fflush(stdout);
    RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    std::puts("still running");
    return 0;
}
