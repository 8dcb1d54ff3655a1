// Catalogue files for the tests and benchmarks, written the way a user's editor leaves them.
#pragma once

#include <string>

// Desc.txt with block sizes and nSets set lines whose descriptions are nDescription characters.
inline std::string CatalogueText(int nSets, std::size_t nDescription, int nBlock) {
    const std::string strSize = std::to_string(nBlock) + "\r\n";
    std::string text = "Graphic sets\r\nflags dossier start\r\n" + strSize + strSize + strSize +
                       "flags file  dossier file  start file  description\r\n";
    for (int i = 0; i < nSets; ++i) {
        const std::string n = std::to_string(i);
        std::string strDescription = "Set " + n + ": ";
        while (strDescription.size() < nDescription)
            strDescription += "flags, dossier and start screen of campaign " + n + "; ";
        strDescription.resize(nDescription);
        text += "flag" + n + ".shp dos" + n + ".shp start" + n + ".shp " + strDescription + "\r\n";
    }
    return text;
}
