// Windows path text: case folding, roots, splitting and joining. Text rules
// only; nothing here asks the file system.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// ASCII case: a-z and A-Z change, every other byte stays as it is. The one
// case folding that is the same on every code page.
std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);
bool SameIgnoringCase(std::string_view a, std::string_view b);

// Length of a path's root: "C:\" 3, "C:" 2, "\\server\share" up to the next
// '\', a leading '\' 1, relative text 0.
size_t RootLength(std::string_view path);

// The drive letter of a "X:..." path in lower case; 0 when there is none.
char DriveLetterOf(std::string_view path);

// The root the volume of a full path is queried by: "C:\" for "C:\a",
// "\\server\share\" for a network path; empty for any other text.
std::string VolumeRoot(std::string_view path);

// The folder a path names its file in: everything up to and including the
// last '\' or ':' (empty if none).
std::string FolderOf(std::string_view path);

// File name of a path without directory and extension.
std::string FileNameStem(std::string_view path);

// The parts between any of the separators, empty ones included: "a\\b\"
// gives "a", "", "b", "".
std::vector<std::string_view> SplitPath(std::string_view path,
                                        std::string_view separators = "\\");

// A folder and a name with one '\' at the joint: a '\' that ends the folder
// (a drive root) and one that begins the name count once, and one is put in
// when neither has it. An empty folder gives the name as it is; nothing else
// of either is changed.
std::string JoinPath(std::string_view dir, std::string_view name);

}  // namespace core
