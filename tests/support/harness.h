// Harness for the end-to-end tests: starts the real Kestrovane.exe in a fresh folder and drives
// its windows from this process, the way a person would see them. Each header holds one concern:
// the program's run (ProgramRun.h), files and folders (Files.h), finding and waiting for windows
// (WindowSearch.h), controls (Controls.h), message boxes (MessageBox.h), the file-open dialog
// (FileDialog.h), pictures of the screen (Screenshot.h) and the dialog template compiled into the
// program (DialogTemplate.h).
//
// Rules for driving another process's windows under Wine (they avoid hangs and flaky tests):
// - An input that opens no modal window is sent (Send, Press, SetText) and has been handled when
//   the call returns. One that opens or closes a modal window (Browse, Install, OK of a message
//   box, Open or Cancel of the file-open dialog) is posted (Click, Dismiss), since a sent one
//   would return only once that window is closed; the test waits for the state it caused: the
//   window there or gone, the text shown, the file let go, the process ended. Never follow a
//   posted input with a sent message as a sync point: a thread handles sent messages before
//   posted ones.
// - Every wait goes through WaitUntil, with one generous limit (kWaitMs); a wait that runs out is
//   a failure that names what it waited for, and returns nullptr/false for the test to ASSERT on.
// - Every file is read through ReadWholeFile, which waits until the program has let go of it.
//
// A typical test:
//   CProgramRun run;
//   ASSERT_TRUE(run.WriteMinimalLayout());
//   HWND dlg = run.StartMainDialog();
//   ASSERT_TRUE(dlg);
//   Click(dlg, IDC_INSTALL);
//   ASSERT_TRUE(run.AnswerMessageBox(text, EIcon::Exclamation)); // checked, then dismissed
//   EXPECT_EQ(ReadWholeFile(run.PathOf("Panzer2.dat")), expected);
//   ASSERT_TRUE(Press(dlg, IDOK));
//   DWORD code = 0;
//   ASSERT_TRUE(run.WaitExit(&code));
#pragma once

#include "Controls.h"
#include "DialogTemplate.h"
#include "FileDialog.h"
#include "Files.h"
#include "MessageBox.h"
#include "ProgramRun.h"
#include "Screenshot.h"
#include "WindowSearch.h"
