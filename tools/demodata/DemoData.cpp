#include "tools/demodata/DemoData.h"

#include "tools/ArchiveBytes.h"
#include "tools/SettingsBytes.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace demodata {

namespace {

using kvtools::ArchiveEntry;
using kvtools::Bytes;

// Block sizes of the catalogue; every target's room in the archive is larger.
constexpr unsigned kFlagsSize = 6000;
constexpr unsigned kDossierSize = 10000;
constexpr unsigned kStartSize = 20000;

// A directory of the usual kind of entries. No target follows another target directly (the
// scan would take that record as the end of the first one's room only).
const std::vector<ArchiveEntry> kEntries = {
    {"PALETTE.PAL", 768},    {"FONT8.FNT", 2048},    {"FONT12.FNT", 3072},  {"CURSORS.SHP", 1536},
    {"ICONS.SHP", 4096},     {"DOSSIER.SHP", 12288}, {"MEDALS.SHP", 3584},  {"TERRAIN.SHP", 8192},
    {"ROADS.SHP", 2560},     {"UNITS1.SHP", 7168},   {"UNITS2.SHP", 7168},  {"FLAGS1.SHP", 8192},
    {"FLAGS2.SHP", 2048},    {"MENU.SHP", 5120},     {"PANEL.SHP", 4608},   {"BUTTONS.SHP", 2304},
    {"STARTSCR.SHP", 24576}, {"VICTORY.SHP", 6144},  {"DEFEAT.SHP", 6144},  {"CREDITS.TXT", 1200},
    {"HELP.TXT", 2400},      {"STRT.SHP", 24576},    {"SOUNDS.IDX", 640},   {"EXPLODE.WAV", 4000},
    {"TANK.WAV", 3500},      {"MUSIC1.MID", 2900},   {"SCEN01.SCN", 1800},  {"SCEN02.SCN", 1900},
    {"SCEN03.SCN", 1750},    {"MAP01.MAP", 3000},    {"MAP02.MAP", 3000},   {"MAP03.MAP", 3000},
    {"EQUIP.DAT", 5000},     {"NAMES.TXT", 900},     {"WEATHER.SHP", 1024},
};

struct SetFile {
    const char* pszName;
    unsigned nLength; // at most the block's size
};

struct GraphicSet {
    SetFile flags, dossier, start; // start.nLength 0: the restore pseudo-name, no file
    const char* pszDescription;
};

const char kRestoreName[] = "008Startscr.shp";

const GraphicSet kSets[] = {
    {{"flags_classic.shp", 5200},
     {"dossier_classic.shp", 9000},
     {"start_classic.shp", 18000},
     "Classic flags and dossier"},
    {{"flags_winter.shp", 4800},
     {"dossier_winter.shp", 8800},
     {"start_winter.shp", 16500},
     "Winter campaign"},
    {{"flags_desert.shp", 5600},
     {"dossier_desert.shp", 9500},
     {kRestoreName, 0},
     "Desert set with the original start screen"},
    {{"flags_full.shp", kFlagsSize},
     {"dossier_full.shp", kDossierSize},
     {"start_full.shp", kStartSize},
     "Blocks filled to the last byte"},
    {{"flags_small.shp", 300},
     {"dossier_small.shp", 500},
     {"start_small.shp", 700},
     "Small files, the rest of each block zero"},
};

// nLength bytes of the label repeated: readable in a hex dump wherever it lands.
Bytes Repeat(const std::string& strLabel, std::size_t nLength) {
    Bytes b;
    b.reserve(nLength);
    while (b.size() < nLength)
        b.push_back(static_cast<std::uint8_t>(strLabel[b.size() % strLabel.size()]));
    return b;
}

Bytes Text(const std::string& str) { return Bytes(str.begin(), str.end()); }

Bytes Archive() {
    Bytes b = kvtools::BuildArchive(kEntries);
    // The four targets carry their own label, STRT.SHP the start screen's (it is the copy that
    // a restore puts back), so that an install shows in the file.
    for (std::size_t i = 0; i < kEntries.size(); ++i) {
        const std::string& strName = kEntries[i].strName;
        std::string strLabel;
        if (strName == "STRT.SHP" || strName == "STARTSCR.SHP")
            strLabel = "[STARTSCR.SHP as shipped]";
        else if (strName == "DOSSIER.SHP" || strName == "FLAGS1.SHP")
            strLabel = "[" + strName + " as shipped]";
        else
            continue;
        Bytes data = Repeat(strLabel, kEntries[i].dwRoom);
        std::copy(data.begin(), data.end(), b.begin() + kvtools::EntryOffset(kEntries, i));
    }
    return b;
}

std::string Catalogue() {
    std::string s = "/* Kestrovane graphic sets: demo catalogue */\r\n"
                    "/* block sizes of FLAGS1, DOSSIER and STARTSCR, then one set per line */\r\n";
    s += std::to_string(kFlagsSize) + " flags block\r\n";
    s += std::to_string(kDossierSize) + " dossier block\r\n";
    s += std::to_string(kStartSize) + " start screen block\r\n";
    s += "/* flags dossier startscreen description */\r\n";
    for (const GraphicSet& set : kSets)
        s += std::string(set.flags.pszName) + " " + set.dossier.pszName + " " + set.start.pszName +
             " " + set.pszDescription + "\r\n";
    return s;
}

bool MakeFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        std::fprintf(stderr, "%s: %s\n", folder.string().c_str(), ec.message().c_str());
        return false;
    }
    return true;
}

} // namespace

bool WriteDemoData(const std::string& strDir, const std::string& strArchivePath) {
    const std::filesystem::path dir(strDir);
    const std::filesystem::path folder = dir / "RararIzorevo";
    if (!MakeFolder(folder))
        return false;
    auto write = [](const std::filesystem::path& path, const Bytes& b) {
        return kvtools::writeFile(path.string(), b);
    };
    if (!write(dir / "Panzer2.dat", Archive()))
        return false;
    if (!write(folder / "pg2_flags.ini", Text(kvtools::settingsFileBytes(strArchivePath))) ||
        !write(folder / "Desc.txt", Text(Catalogue())))
        return false;
    for (const GraphicSet& set : kSets) {
        for (const SetFile* file : {&set.flags, &set.dossier, &set.start}) {
            if (file->nLength == 0)
                continue;
            const std::string strLabel = std::string("<") + file->pszName + "> ";
            if (!write(folder / file->pszName, Repeat(strLabel, file->nLength)))
                return false;
        }
    }
    return true;
}

} // namespace demodata
