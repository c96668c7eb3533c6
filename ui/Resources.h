#pragma once

// Makes sure the compiled-in images (":/ICON/...") are registered. The resource tree lives in the ui
// library, so a program linking it must reference it once for the linker to keep it.
void registerUiResources();
