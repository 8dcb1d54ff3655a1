// The texts an install shows, word for word as the rules give them: the model, the unit tests and
// the end-to-end tests expect these, and the program keeps its own.
#pragma once

#include <string>

namespace install_text {

inline const char kNoneListed[] = "ERROR! No graphic set is selected: Desc.txt lists none!";
inline const char kChooseOne[] = "ERROR! No graphic set is selected: choose one from the list!";
inline const char kArchiveNotOpened[] = "ERROR! Panzer2.dat file can not be opened!";
inline const char kSearchFault[] =
    "Search fault! Quick switching can not be used for this Panzer2.dat!!";
inline const char kDossierSlot[] =
    "ERROR (DOSSIER)! Quick dossier switching can not be used for this Panzer2.dat!!";
inline const char kFlagsSlot[] =
    "ERROR (FLAGS1)! Quick flags switching can not be used for this Panzer2.dat!!";
inline const char kStartSlot[] =
    "ERROR (STARTSCR)! Quick  switching can not be used for this Panzer2.dat!!";
inline const char kStrtAbsent[] = "STRT.SHP seems to be absent! Quick StartScr switching can not "
                                  "be used for this Panzer2.dat!!";
inline const char kWriteToCopy[] =
    "ERROR! The path names a .bak file, a copy of Panzer2.dat that an install keeps and never "
    "changes. Choose Panzer2.dat itself; to go back to the original, copy the .bak over it with "
    "the game closed.";
// Every refusal of the copy of the original begins so.
inline const char kNotChanged[] = "ERROR! Panzer2.dat has not been changed";
inline const char kFolderHasCopysName[] =
    "A folder has that name: move or rename it, then install again.";
inline const char kCopysNameIsTheArchive[] =
    "That name leads to Panzer2.dat itself (a link to it, or another name of the same file): "
    "remove that name, then install again.";
inline std::string LinkWhereTheCopyIsMade(const std::string& strTemp) {
    return strTemp + ", under which the copy is made first, is a link to another file: remove the "
                     "link (the file it leads to is left alone), then install again.";
}
inline std::string LeftoverStays(const std::string& strTemp) {
    return strTemp + ", left by a copy cut short, could not be removed: remove it, then install "
                     "again.";
}

inline std::string Done(const std::string& strSet) {
    return "Congratulations! Flags, Dossier and Startscr for " + strSet +
           " have been successfully installed!";
}
inline std::string DoneWithoutStart(const std::string& strSet) {
    return "Congratulations! Flags, Dossier for " + strSet + " have been successfully installed!";
}
inline std::string NotOpened(const std::string& strFile) {
    return "ERROR! " + strFile + " file can not be opened!";
}
inline std::string PathTooLong(const std::string& strFile) {
    return "ERROR! " + strFile +
           " file can not be opened: its path in the tool's folder is too long (it must stay "
           "under 260 characters). Give it a shorter name in Desc.txt, or move the tool to a "
           "folder with a shorter path.";
}
inline std::string TooLong(const std::string& strFile, int nSize) {
    return "ERROR! The size of " + strFile + " file is more than " + std::to_string(nSize);
}
inline std::string Unusable(const std::string& strSet, int nLine) {
    return "ERROR! The graphic set \"" + strSet + "\" (line " + std::to_string(nLine) +
           " of Desc.txt) does not give three usable file names!";
}
inline std::string NegativeSize(const std::string& strBlock, int nSize) {
    return "ERROR! Desc.txt gives the " + strBlock + " block a negative size (" +
           std::to_string(nSize) + ")!";
}
inline std::string CopyNotKept(const std::string& strCopy, const std::string& strWhy) {
    return std::string(kNotChanged) +
           ": the copy of it as it was before the first install could not be kept as " + strCopy +
           ". " + strWhy;
}

} // namespace install_text
