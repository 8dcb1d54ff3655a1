// The application name: the executable's file name without its extension. It captions every
// message box.
#pragma once

#include "framework/CString.h"

// pszExePath may use '\' or '/' and may have no folder or no extension.
CString AfxAppNameFromPath(const char* pszExePath);
