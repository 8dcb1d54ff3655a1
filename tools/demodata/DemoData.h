// The demo data: a synthetic game archive and the tool's folder (settings file, catalogue and
// graphic sets) that fit it, so that the tool can be tried without the game.
#pragma once

#include <string>

namespace demodata {

// Writes strDir/Panzer2.dat and strDir/RararIzorevo/ (created as needed). strArchivePath is the
// archive's path as the tool will see it (under Wine a Z:\ path); it goes into the settings file.
// Returns false, having said why on stderr, when something could not be written.
bool WriteDemoData(const std::string& strDir, const std::string& strArchivePath);

} // namespace demodata
