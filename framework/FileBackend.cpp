#include "framework/FileBackend.h"

const afx_backend::CFileBackend& afx_backend::Files() { return kSystemFiles; }
