// The settings file pg2_flags.ini as the program writes it: a comment, the archive's path after
// its key, and a closing comment, each line ending in CR LF. Shared by the demo-data generator and
// the tests that lay out a folder.
#pragma once

#include <string>

namespace kvtools {

inline std::string settingsFileBytes(const std::string& datPath) {
    return "/* PG2-flags.ini\r\npg2-panzer2.dat=" + datPath + "\r\n/* end PG2-flags.ini\r\n";
}

} // namespace kvtools
