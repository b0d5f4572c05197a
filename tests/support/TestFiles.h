// Test helpers: a temporary folder removed after the test, and files written
// the way the league keeps them (cp932, CR LF) from UTF-8 test text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tenvoll::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // Full path of a name inside the folder ("a/b.txt" or "a\\b.txt"), in the
    // platform's separators.
    std::string file(std::string_view relative) const;

private:
    std::string path_;
};

// A path written with '/' in the platform's separators, for expectations that
// hold on every platform.
std::string native(std::string_view path);

// Writes UTF-8 text as cp932; "\n" becomes CR LF. Creates missing folders.
void writeCp932(const std::string& path, std::string_view text);
// Writes raw bytes. Creates missing folders.
void writeBytes(const std::string& path, std::string_view bytes);
std::string readBytes(const std::string& path);
// The file decoded to UTF-8 with CR LF turned into "\n".
std::string readCp932(const std::string& path);
// Lines of text joined with "\n", each line followed by one.
std::string lines(const std::vector<std::string>& l);

// Every regular file below a folder with its bytes, sorted by path (the folder
// lock's empty marker file left out): compare two snapshots to prove an
// operation changed nothing.
std::vector<std::pair<std::string, std::string>> snapshotFolder(const std::string& folder);

// Path of a fixture file of tests/fixtures.
std::string fixture(std::string_view name);

// Copies a fixture folder (recursively) into `destination`.
void copyFixtureFolder(std::string_view name, const std::string& destination);

} // namespace tenvoll::test
