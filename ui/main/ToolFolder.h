#pragma once

#include <QString>

// The tool folders on the stick beside the program, each behind one button of the home page.
struct ToolFolder {
    const char* button;
    const char* relativePath; // from the application directory
};

extern const ToolFolder kToolFolders[4];

// Creates the folder when it is missing (errors ignored) and opens it in the file manager, so that a
// missing folder shows up as a new, empty one.
void openToolFolder(const QString& appDir, const QString& relativePath);
