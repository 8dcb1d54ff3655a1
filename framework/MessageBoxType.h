// The type of a message box as the framework shows it: the caller's type, with the exclamation
// icon added when the type names no icon and asks for OK, OK and Cancel, Yes and No, or Yes, No
// and Cancel. The values are the system's MB_ constants; portable so that the rule is testable.
#pragma once

#include "framework/afxtypes.h"

namespace afx_mb {
constexpr UINT kOk = 0x0, kOkCancel = 0x1, kYesNoCancel = 0x3, kYesNo = 0x4, kTypeMask = 0xF;
constexpr UINT kIconStop = 0x10, kIconExclamation = 0x30, kIconInformation = 0x40, kIconMask = 0xF0;
constexpr UINT kSystemModal = 0x1000;
} // namespace afx_mb

UINT AfxMessageBoxType(UINT nType);
