// One install of a request as the archive model sees it, with the k-th file operation failed or
// shortened: what the user was told and where the fault fell, for JudgeInstallRun. Shared by the
// fault sweeps and fuzz_install; the set files and the archive must be in place.
#pragma once

#include "archive/Install.h"
#include "framework/Exceptions.h"
#include "framework/MessageBoxType.h"
#include "tests/model/InstallOracle.h"
#include "tests/support/FaultInjector.h"

#include <string>

namespace install_run {

// The set files lie in strFolder (ending with a separator), under want's names. Handles left
// open are counted in the result unless bCountHandles is false (files kept in memory).
inline archive_model::RunSeen Run(const archive_model::Request& want, const std::string& strFolder,
                                  const std::string& strArchive, std::size_t k,
                                  afx_test::Fault fault, archive_model::FaultSeen& where,
                                  bool bCountHandles = true) {
    InstallRequest request;
    request.strFolder = strFolder.c_str();
    request.nSet = want.nSet;
    request.nListed = want.nListed;
    request.strFlagsFile = want.strFlagsFile.c_str();
    request.strDossierFile = want.strDossierFile.c_str();
    request.strStartFile = want.strStartFile.c_str();
    request.strDescription = want.strDescription.c_str();
    request.nFlagsSize = want.nFlagsSize;
    request.nDossierSize = want.nDossierSize;
    request.nStartSize = want.nStartSize;
    request.readArchivePath = [&strArchive] { return CString(strArchive.c_str()); };
    request.bNoStartScr = want.bNoStartScr;

    archive_model::RunSeen seen;
    CFaultInjector injector(k, fault, bCountHandles);
    try {
        InstallGraphicSet(request, [&](const CString& strText, UINT nType) {
            seen.bUnflushedAtMessage = seen.bUnflushedAtMessage || injector.Unflushed(strArchive);
            // Any other icon or button is a message the rules do not know.
            seen.messages.push_back(
                {strText.str() + (nType == (afx_mb::kIconInformation | afx_mb::kOk) ||
                                          nType == (afx_mb::kIconExclamation | afx_mb::kOk)
                                      ? ""
                                      : " (with another icon)"),
                 nType == (afx_mb::kIconInformation | afx_mb::kOk)});
        });
    } catch (const CException&) {
        seen.bThrew = true;
    }
    where.fault = fault;
    where.bEffective = injector.Hit();
    where.op = injector.HitOp();
    const std::string files[] = {strFolder + want.strFlagsFile, strFolder + want.strDossierFile,
                                 strFolder + want.strStartFile, strArchive};
    for (int i = 0; i < 4; ++i)
        if (injector.HitPath() == files[i])
            where.nFile = i;
    where.nRead = injector.HitRead();
    seen.nLeftOpen = bCountHandles ? injector.OpenFiles() : 0;
    where.nOps = injector.Ops();
    seen.bCopyNotOnDisk = injector.NamedUnflushed() || injector.WroteBeforeNameSynced();
    const std::size_t nLook = injector.FirstOp(afx_test::FileOp::Status, strArchive + ".bak");
    const std::size_t nNamed = injector.LastOp(afx_test::FileOp::SyncFolder);
    where.bInCopy = nLook != 0 && k >= nLook && (nNamed < nLook || k <= nNamed);
    return seen;
}

} // namespace install_run
