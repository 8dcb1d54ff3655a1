// Harness for the end-to-end tests: starts the real Kestrovane.exe in a fresh folder and drives
// its windows from this process, the way a person would see them. Each header holds one concern:
// the program's run (ProgramRun.h), files and folders (Files.h), finding and waiting for windows
// (WindowSearch.h), controls (Controls.h), message boxes (MessageBox.h), the file-open dialog
// (FileDialog.h), pictures of the screen (Screenshot.h) and the dialog template compiled into the
// program (DialogTemplate.h).
//
// Rules for driving another process's windows under Wine (they avoid hangs and flaky tests):
// - Never SendMessage a click that opens a modal window (Browse, Install, EXIT): use Click(),
//   which posts. Reading texts and states uses SendMessageTimeout and is safe.
// - Every wait goes through WaitUntil (25 ms steps up to a deadline); a time-out returns
//   nullptr/false, and the test should ASSERT on it.
//
// A typical test:
//   CProgramRun run;
//   run.WriteMinimalLayout();
//   ASSERT_TRUE(run.Start());
//   HWND dlg = run.WaitMainDialog();
//   ASSERT_TRUE(dlg);
//   Click(dlg, IDOK);
//   DWORD code = 0;
//   ASSERT_TRUE(run.WaitExit(5000, &code));
#pragma once

#include "Controls.h"
#include "DialogTemplate.h"
#include "FileDialog.h"
#include "Files.h"
#include "MessageBox.h"
#include "ProgramRun.h"
#include "Screenshot.h"
#include "WindowSearch.h"
