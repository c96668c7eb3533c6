#pragma once

namespace platform {

// Which places are left out of the search for DLLs loaded by bare name.
enum class DllSearch {
    Unchanged,            // the backend loads no DLLs of its own (the simulated PC)
    SafeDefaultFolders,   // the application folder, the system folder and added folders only
    CurrentFolderRemoved, // a loader too old for the first: the current folder is at least gone
};

// The program runs as administrator from a folder anyone may write, so a DLL planted beside it or in the
// current folder must never be picked up by name. Called first in every main, before anything loads a DLL.
DllSearch restrictDllSearch();

} // namespace platform
