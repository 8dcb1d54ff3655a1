#include "framework/MessageBoxType.h"

UINT AfxMessageBoxType(UINT nType) {
    if ((nType & afx_mb::kIconMask) != 0)
        return nType;
    switch (nType & afx_mb::kTypeMask) {
    case afx_mb::kOk:
    case afx_mb::kOkCancel:
    case afx_mb::kYesNo:
    case afx_mb::kYesNoCancel:
        return nType | afx_mb::kIconExclamation;
    default:
        return nType;
    }
}
