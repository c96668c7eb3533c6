#include "platform/win32/ComApartment.h"

#include <gtest/gtest.h>

#include <windows.h>

int main(int argc, char** argv)
{
    // A crash must end the run with a code, not wait for a debugger or an error box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    // The program's worker threads hold COM for the length of their work; so does the test thread.
    const platform::win32::ComApartment apartment;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
