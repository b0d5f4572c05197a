// Paths of the league files. Stored paths relative to the program folder begin
// with "\" (the files are shared with Windows users); full paths inside the
// program use the platform's separator.
#pragma once

#include <string>
#include <string_view>

namespace tenvoll {

// A drive letter ("C:"), a UNC start ("\\" or "//") or a POSIX absolute path ("/").
// A leading single backslash is a path relative to the program folder.
bool hasDrivePart(std::string_view path);

// Backslashes become the platform's separator.
std::string toNativePath(std::string_view path);

// A stored path made full: unchanged (made native) when it has a drive part,
// otherwise joined to the program folder. Empty stays empty.
std::string joinProgramFolder(std::string_view programFolder, std::string_view stored);

// A full path written back relative: the program folder is removed only where it
// is the leading part of the path (ignoring case) and followed by a separator;
// the rest is written with backslashes. Other paths are returned unchanged.
std::string toStoredPath(std::string_view programFolder, std::string_view fullPath);

// Parts of a path (either separator).
std::string folderOf(std::string_view path);    // without the trailing separator
std::string fileNameOf(std::string_view path);  // with extension
std::string extensionOf(std::string_view path); // ".txt", or empty
std::string withoutExtension(std::string_view path);
std::string replaceExtension(std::string_view path, std::string_view extension);
std::string joinPath(std::string_view folder, std::string_view name);

// The next-season copy of a team file: its extension ".txt" (any letter case)
// replaced by ".tvl"; a file with another extension gets ".tvl" appended, so the
// copy is never the team file itself. Folders are never touched.
std::string nextSeasonCopyPath(std::string_view teamFilePath);

} // namespace tenvoll
