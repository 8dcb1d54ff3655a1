// The framework's file back end over memfiles (see MemoryFiles.h): the causes and error codes are
// those the POSIX back end gives for the same situations, and an open file is held without
// sharing.
#include "MemoryFiles.h"

#include "framework/CFile.h"
#include "framework/FileBackend.h"

#include <cerrno>
#include <memory>
#include <unordered_map>

namespace {

struct Node {
    memfiles::Bytes data;
    bool bHeld = false;
};

struct Handle {
    std::shared_ptr<Node> node; // empty: a free slot
    std::uint64_t nPos = 0;
    bool bRead = false;
    bool bWrite = false;
};

std::unordered_map<std::string, std::shared_ptr<Node>>& Files() {
    static std::unordered_map<std::string, std::shared_ptr<Node>> files;
    return files;
}

std::vector<Handle>& Handles() {
    static std::vector<Handle> handles;
    return handles;
}

int Fail(long* pOsError, long lCode, int nCause) {
    *pOsError = lCode;
    return nCause;
}

// A new handle on node, which no other handle may open meanwhile.
std::intptr_t Hold(const std::shared_ptr<Node>& node, bool bRead, bool bWrite) {
    node->bHeld = true;
    auto& handles = Handles();
    std::size_t slot = 0;
    while (slot < handles.size() && handles[slot].node)
        ++slot;
    if (slot == handles.size())
        handles.emplace_back();
    handles[slot] = {node, 0, bRead, bWrite};
    return static_cast<std::intptr_t>(slot);
}

Handle* Find(std::intptr_t hFile) {
    auto& handles = Handles();
    if (hFile < 0 || static_cast<std::size_t>(hFile) >= handles.size() || !handles[hFile].node)
        return nullptr;
    return &handles[hFile];
}

} // namespace

namespace memfiles {

void Clear() { Files().clear(); }

void Put(const std::string& strPath, const Bytes& bytes) {
    auto node = std::make_shared<Node>();
    node->data = bytes;
    Files()[strPath] = std::move(node);
}

const Bytes* Find(const std::string& strPath) {
    auto it = Files().find(strPath);
    return it == Files().end() ? nullptr : &it->second->data;
}

int OpenHandles() {
    int n = 0;
    for (const Handle& h : Handles())
        n += h.node != nullptr;
    return n;
}

} // namespace memfiles

namespace {

int Open(const char* pszPath, UINT nOpenFlags, std::intptr_t* phFile, long* pOsError) {
    auto& files = Files();
    auto it = files.find(pszPath);
    if (it == files.end()) {
        if (!(nOpenFlags & CFile::modeCreate))
            return Fail(pOsError, ENOENT, CFileException::fileNotFound);
        it = files.emplace(pszPath, std::make_shared<Node>()).first;
    }
    Node& node = *it->second;
    if (node.bHeld)
        return Fail(pOsError, EWOULDBLOCK, CFileException::sharingViolation);
    if ((nOpenFlags & CFile::modeCreate) && !(nOpenFlags & CFile::modeNoTruncate))
        node.data.clear();
    *phFile = Hold(it->second, !(nOpenFlags & CFile::modeWrite),
                   nOpenFlags & (CFile::modeWrite | CFile::modeReadWrite));
    return CFileException::none;
}

int CreateNew(const char* pszPath, std::intptr_t* phFile, bool* pbTaken, long* pOsError) {
    auto inserted = Files().emplace(pszPath, nullptr);
    *pbTaken = !inserted.second;
    if (*pbTaken)
        return Fail(pOsError, EEXIST, CFileException::generic);
    inserted.first->second = std::make_shared<Node>();
    *phFile = Hold(inserted.first->second, true, true);
    return CFileException::none;
}

int Read(std::intptr_t hFile, void* pBuf, UINT nCount, UINT* pnRead, long* pOsError) {
    Handle* h = Find(hFile);
    if (!h || !h->bRead)
        return Fail(pOsError, EBADF, CFileException::invalidFile);
    const memfiles::Bytes& data = h->node->data;
    const std::uint64_t nLeft = h->nPos < data.size() ? data.size() - h->nPos : 0;
    const UINT n = nLeft < nCount ? static_cast<UINT>(nLeft) : nCount;
    if (n > 0)
        std::copy(data.begin() + h->nPos, data.begin() + h->nPos + n,
                  static_cast<std::uint8_t*>(pBuf));
    h->nPos += n;
    *pnRead = n;
    return CFileException::none;
}

int Write(std::intptr_t hFile, const void* pBuf, UINT nCount, UINT* pnWritten, long* pOsError) {
    Handle* h = Find(hFile);
    if (!h || !h->bWrite)
        return Fail(pOsError, EBADF, CFileException::invalidFile);
    memfiles::Bytes& data = h->node->data;
    if (h->nPos + nCount > data.size())
        data.resize(h->nPos + nCount, 0); // a write past the end leaves zeros in the gap
    const auto* p = static_cast<const std::uint8_t*>(pBuf);
    std::copy(p, p + nCount, data.begin() + h->nPos);
    h->nPos += nCount;
    *pnWritten = nCount;
    return CFileException::none;
}

int Seek(std::intptr_t hFile, LONGLONG lOff, UINT nFrom, ULONGLONG* pPos, long* pOsError) {
    Handle* h = Find(hFile);
    if (!h)
        return Fail(pOsError, EBADF, CFileException::badSeek);
    const LONGLONG lBase = nFrom == CFile::current ? static_cast<LONGLONG>(h->nPos)
                           : nFrom == CFile::end   ? static_cast<LONGLONG>(h->node->data.size())
                                                   : 0;
    if (lBase + lOff < 0)
        return Fail(pOsError, EINVAL, CFileException::badSeek);
    h->nPos = static_cast<std::uint64_t>(lBase + lOff);
    *pPos = h->nPos;
    return CFileException::none;
}

int Length(std::intptr_t hFile, ULONGLONG* pLength, long* pOsError) {
    Handle* h = Find(hFile);
    if (!h)
        return Fail(pOsError, EBADF, CFileException::invalidFile);
    *pLength = h->node->data.size();
    return CFileException::none;
}

// Memory is where the bytes are going anyway.
int Flush(std::intptr_t hFile, long* pOsError) {
    return Find(hFile) ? CFileException::none : Fail(pOsError, EBADF, CFileException::invalidFile);
}

int Close(std::intptr_t hFile, long* pOsError) {
    Handle* h = Find(hFile);
    if (!h)
        return Fail(pOsError, EBADF, CFileException::invalidFile);
    h->node->bHeld = false;
    *h = Handle();
    return CFileException::none;
}

int Replace(const char* pszSource, const char* pszTarget, long* pOsError) {
    auto& files = Files();
    auto it = files.find(pszSource);
    if (it == files.end())
        return Fail(pOsError, ENOENT, CFileException::fileNotFound);
    std::shared_ptr<Node> node = std::move(it->second);
    files.erase(it);
    files[pszTarget] = std::move(node);
    return CFileException::none;
}

int Rename(const char* pszSource, const char* pszTarget, long* pOsError) {
    if (Files().count(pszTarget) != 0)
        return Fail(pOsError, EEXIST, CFileException::generic);
    return Replace(pszSource, pszTarget, pOsError);
}

int Remove(const char* pszPath, long* pOsError) {
    if (Files().erase(pszPath) == 0)
        return Fail(pOsError, ENOENT, CFileException::fileNotFound);
    return CFileException::none;
}

// Memory has no folder to hand to the disk, and every path is already whole.
int SyncFolder(const char*, long*) { return CFileException::none; }

int FullPath(const char* pszPath, std::string* pFullPath, long*) {
    *pFullPath = pszPath;
    return CFileException::none;
}

int Status(const char* pszPath, afx_backend::CEntry* pEntry, long* pOsError) {
    const auto it = Files().find(pszPath);
    if (it == Files().end())
        return Fail(pOsError, ENOENT, CFileException::fileNotFound);
    pEntry->nKind = afx_backend::kindFile;
    pEntry->bReadOnly = false;
    pEntry->strFinalPath = pszPath;
    pEntry->nIndex = reinterpret_cast<std::uintptr_t>(it->second.get());
    return CFileException::none;
}

// A file's identity is its node.
int Identity(std::intptr_t hFile, ULONGLONG* pnVolume, ULONGLONG* pnIndex, long* pOsError) {
    const Handle* pHandle = Find(hFile);
    if (!pHandle)
        return Fail(pOsError, EBADF, CFileException::invalidFile);
    *pnVolume = 0;
    *pnIndex = reinterpret_cast<std::uintptr_t>(pHandle->node.get());
    return CFileException::none;
}

const afx_backend::CFileBackend kMemoryFiles = {Open,   Read,       Write,     Seek,    Length,
                                                Flush,  Close,      CreateNew, Replace, Rename,
                                                Remove, SyncFolder, FullPath,  Status,  Identity};

} // namespace

const afx_backend::CFileBackend& memfiles::Backend() { return kMemoryFiles; }
