// Catalogue files for the tests and benchmarks, written the way a user's editor leaves them.
#pragma once

#include <string>
#include <vector>

// A set line of Desc.txt: the set's three files and its description.
struct CCatalogueLine {
    std::string m_strFlags, m_strDossier, m_strStartScr, m_strDescription;
};

// Desc.txt: two comment lines, the three block sizes, one ignored line, then one line per set.
inline std::string CatalogueText(int nFlags, int nDossier, int nStart,
                                 const std::vector<CCatalogueLine>& sets) {
    std::string text = "Graphic sets\r\nsizes, then the sets\r\n";
    for (int nSize : {nFlags, nDossier, nStart})
        text += std::to_string(nSize) + "\r\n";
    text += "flags dossier startscr description\r\n";
    for (const CCatalogueLine& s : sets)
        text += s.m_strFlags + " " + s.m_strDossier + " " + s.m_strStartScr + " " +
                s.m_strDescription + "\r\n";
    return text;
}

// Desc.txt with block sizes and nSets set lines whose descriptions are nDescription characters.
inline std::string CatalogueText(int nSets, std::size_t nDescription, int nBlock) {
    std::vector<CCatalogueLine> sets;
    for (int i = 0; i < nSets; ++i) {
        const std::string n = std::to_string(i);
        std::string strDescription = "Set " + n + ": ";
        while (strDescription.size() < nDescription)
            strDescription += "flags, dossier and start screen of campaign " + n + "; ";
        strDescription.resize(nDescription);
        sets.push_back(
            {"flag" + n + ".shp", "dos" + n + ".shp", "start" + n + ".shp", strDescription});
    }
    return CatalogueText(nBlock, nBlock, nBlock, sets);
}
