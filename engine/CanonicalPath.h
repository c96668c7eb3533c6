#pragma once

#include "platform/Platform.h"

#include <string>

// The one form in which a path from the registry, a signature file or a report is compared, tested for
// existence and handed to a deletion. Uninstall entries and signature files are written by hand and by
// careless installers, and Windows quietly forgives what they get wrong: it ignores trailing blanks and dots
// of every name, so "C:\Users\Name\OneDrive " opens OneDrive. Unless the program reads such text the way
// Windows does, the same folder can look absent to one check and present to the next.
class CanonicalPath {
public:
    struct Form {
        // Blanks and line breaks trimmed, surrounding quotes dropped, variables expanded, backslashes only,
        // trailing blanks and dots of each name stripped, no trailing backslash (a drive root keeps its
        // own), and the long form when the path exists. Empty when the text names no path: nothing left
        // after trimming, a variable that does not expand, or longer than a path Windows accepts.
        std::wstring path;
        // The same before the long form: what the text itself says, "." and ".." included.
        std::wstring written;
        // Trimming, quotes or stripped names changed the text: it spells another path than it names.
        bool tidied = false;
        bool exists = false;
    };

    explicit CanonicalPath(platform::Platform& machine);

    Form of(const std::wstring& raw);

    static constexpr std::size_t kMaxChars = 520;

private:
    platform::Platform& machine_;
};
