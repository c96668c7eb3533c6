#include "platform/ComSecurity.h"

#include <gtest/gtest.h>

#include <windows.h>

int main(int argc, char** argv)
{
    // A crash must end the run with a code, not wait for a debugger or an error box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    // As in the program's main: COM's process-wide security first, the thread's apartment kept for life.
    platform::setComSecurity();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
