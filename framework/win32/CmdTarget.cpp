// Message-map lookup, shared by windows and the application object.
#include "framework/afxwin.h"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

BOOL CCmdTarget::DispatchMap(UINT message, WPARAM wParam, LRESULT* pResult) {
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr; pMap = pMap->pBaseMap) {
        for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->nMessage != 0; ++p) {
            if (p->nMessage != message)
                continue;
            if (message == WM_COMMAND && (p->nCode != HIWORD(wParam) || p->nID != LOWORD(wParam)))
                continue;
            *pResult = p->pfn(this);
            return TRUE;
        }
    }
    return FALSE;
}
