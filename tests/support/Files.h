// Folders and files of the end-to-end tests, as this process sees them.
#pragma once

#include <string>

namespace e2e {

std::string DirName(const std::string& path); // up to the last slash; "." when there is none
std::string ExeDir();                         // folder of e2e_tests.exe, no trailing backslash
// Kestrovane.exe: the environment variable KV_EXE when it is set, otherwise two folders above
// e2e_tests.exe (build/windows/Kestrovane.exe beside build/windows/tests/e2e/e2e_tests.exe).
std::string KestrovanePath();
std::string ScreenshotDir(); // build/windows/screenshots, created on first use
// Every read of a file goes through here: it waits until the file is let go (no one holds it, the
// program under test included), then reads it without sharing. A file that is missing, or that
// cannot be opened for another reason, reads as empty.
std::string ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& bytes); // makes parent folders
// A symbolic link at linkPath (a Windows path, no blanks) to target as Unix names it: Wine makes
// none itself, so the system's ln makes it. Returns once the link leads somewhere.
bool MakeUnixLink(const std::string& target, const std::string& linkPath);
// Removes such a link, which must lead somewhere: Wine's own removal takes what it leads to.
bool RemoveUnixLink(const std::string& linkPath);

} // namespace e2e
