#pragma once
// File and folder names. The program's names are upper case ("SCHULE", "SSSA.SSD"); a data base
// copied from a Windows share may spell them in any case. Every name is resolved without regard
// to ASCII case: the exact name first, otherwise the one entry of the folder that matches (of
// several, which Linux allows, the first in byte order).
#include <cstdint>
#include <string>
#include <string_view>

namespace tab {

inline constexpr char kPathSeparator = '/';

// `dir` + `relative`, where `relative` may hold several components separated by '/'. Each
// component is resolved case-insensitively against what exists; components that do not exist
// keep the given spelling, so the result names the file to create or to report as missing.
std::string ResolvePath(const std::string& dir, std::string_view relative);

// Appends the separator unless the text already ends with one (an empty text stays empty).
std::string WithTrailingSeparator(std::string dir);

bool PathExists(const std::string& path);  // any kind of entry
// Whether the path names nothing (no entry, or a file where a folder should be). A path in a
// folder that cannot be searched is not missing: it is unreadable, and reading it says why.
bool PathMissing(const std::string& path);
bool IsDirectory(const std::string& path);  // follows symbolic links
// Whether the folder can be entered (what making it the current directory would need).
bool CanEnterDirectory(const std::string& path);

// Every file the program reads is opened here. The open never waits (a named pipe would hold it
// until someone writes into the pipe), and only a regular file is taken once links are followed:
// a pipe, a device (a link to /dev/zero never ends) or a socket gives kNotRegularFile, a folder
// EISDIR. Returns the descriptor (blocking again, closed on exec), or -1 with the errno, or
// kNotRegularFile, in `error`. `size` receives the file's size in bytes.
int OpenForReading(const std::string& path, int& error, std::uint64_t* size = nullptr);

// Creates a new file holding `content`, never replacing an entry of that name. Returns 0, or the
// errno of the step that failed (EEXIST when the name is taken); a file that could not be written
// whole is removed again, so that the next try starts afresh.
int CreateNewFile(const std::string& path, std::string_view content);
// Writes `content` to a new file beside `path` and renames it over `path`, so that a failed write
// leaves the old file as it was and a reader never sees half a file. Returns 0 or the errno of
// the step that failed (the new file is removed again then). The new file keeps the mode of the
// old one; a symbolic link is written through, so that it stays a link to the new content.
int ReplaceFile(const std::string& path, std::string_view content);
// The whole content of a file; returns 0 or the errno of the failed step.
int ReadWholeFile(const std::string& path, std::string& content);

// Case-insensitive comparison of ASCII letters; other bytes compare as they are.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace tab
