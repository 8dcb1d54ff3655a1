// A start that must end in one error box and exit status 1, with the main window never shown.
#pragma once

#include "harness.h"

#include <gtest/gtest.h>

#include <string>

inline void ExpectFatalStart(e2e::CProgramRun& run, const std::string& text) {
    ASSERT_TRUE(run.Start());
    const e2e::CMessageBoxInfo box = run.WaitAndReadMessageBox();
    ASSERT_TRUE(box.m_h) << "no message box for: " << text;
    EXPECT_EQ(box.m_strCaption, "Kestrovane");
    EXPECT_EQ(box.m_strText, text);
    EXPECT_EQ(box.m_icon, e2e::EIcon::Error) << e2e::IconName(box.m_icon);
    EXPECT_EQ(box.m_buttons, std::vector<int>{IDOK});
    for (HWND h : e2e::VisibleDialogs(run.Pid()))
        EXPECT_TRUE(e2e::IsMessageBox(h)) << "a window besides the message box is shown";
    e2e::PostOk(box.m_h);
    DWORD code = 0;
    ASSERT_TRUE(run.WaitExit(&code));
    EXPECT_EQ(code, 1u);
}
