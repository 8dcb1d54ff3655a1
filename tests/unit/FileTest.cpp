// The framework's file classes on real files, one table for every back end: the unit tests run it
// on the POSIX one, the Wine test binary on the Win32 one. A case is a few steps in a folder that
// holds "data" (ten digits) and a folder "folder"; each step that yields something adds a word to
// the case's account (what a read gave, a position, a length, a cause, a file's bytes on the disk),
// which must come out as the table says. Every failure must also name its file, and a file that
// failed to open or was closed must not stay open.
#include "tests/support/FileOpHook.h"
#include "tests/support/TempFolder.h"

#include "framework/CStdioFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using afx_test::Fault;
using afx_test::FileOp;

const char* const kCauses[] = {
    "none",         "generic",          "fileNotFound",     "badPath",       "tooManyOpenFiles",
    "accessDenied", "invalidFile",      "removeCurrentDir", "directoryFull", "badSeek",
    "hardIO",       "sharingViolation", "lockViolation",    "diskFull",      "endOfFile"};

// Bytes as the table writes them: quoted, with CR, LF and NUL spelled out, and a line of one
// character repeated shown as the character and its count.
std::string Quote(const std::string& bytes) {
    std::string out = "'";
    for (char c : bytes)
        out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : c == '\0' ? "\\0" : std::string(1, c);
    return out + "'";
}

std::string Line(const std::string& line) {
    if (line.size() > 16 && line.find_first_not_of(line[0]) == std::string::npos)
        return line.substr(0, 1) + "*" + std::to_string(line.size());
    return line;
}

class CCase {
public:
    CCase() {
        m_folder.Write("data", Bytes{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'});
        std::filesystem::create_directory(m_folder.Path("folder"));
        afx_test::SetFileOpHook(
            [this](FileOp op, const char* pszPath) { return See(op, pszPath); });
    }
    ~CCase() {
        m_files.clear();
        afx_test::SetFileOpHook(nullptr);
    }

    // "" is no name at all; "@n" the n-th file made by OpenUnique; "NUL" the system's null device.
    std::string Path(const std::string& strName) const {
#ifndef _WIN32
        if (strName == "NUL")
            return "/dev/null";
#endif
        if (strName.empty() || strName[0] != '@')
            return strName.empty() || strName == "NUL" ? strName : m_folder.Path(strName);
        return m_unique.at(std::stoul(strName.substr(1)));
    }
    void Add(const std::string& strWord) {
        if (!strWord.empty())
            m_strAccount += (m_strAccount.empty() ? "" : " ") + strWord;
    }
    // The cause, and the file named when it is not strPath.
    void AddCause(const CFileException& e, const std::string& strPath) {
        Add(kCauses[e.m_cause] +
            (e.m_strFileName.str() == strPath ? "" : "@" + e.m_strFileName.str()));
    }
    // Runs a step on the file opened last; a file exception adds its cause.
    void OnTop(const std::function<void(CFile&)>& step) {
        CFile& file = *m_files.back();
        const std::string strPath = file.GetFilePath().str();
        try {
            step(file);
        } catch (const CFileException& e) {
            AddCause(e, strPath);
        }
    }
    void Opened(std::unique_ptr<CFile> file, const std::string& strPath, BOOL bOpened,
                const CFileException& e) {
        if (!bOpened) {
            AddCause(e, strPath);
            Add(file->IsOpen() ? "open!" : "");
            return;
        }
        Add(file->GetFilePath().str() == strPath ? "" : "path!");
        m_files.push_back(std::move(file));
    }
    std::string Disk(const std::string& strName) const {
        const std::string strPath = Path(strName);
        if (std::filesystem::is_directory(strPath))
            return "folder";
        if (!std::filesystem::exists(strPath))
            return "none";
        std::ifstream in(strPath, std::ios::binary);
        return Quote(std::string(std::istreambuf_iterator<char>(in), {}));
    }

    CTempFolder m_folder;
    std::vector<std::unique_ptr<CFile>> m_files; // the last one is the one steps act on
    std::vector<std::string> m_unique;
    std::string m_strAccount;
    FileOp m_faultOp = FileOp::Count; // the next operation of this kind gets m_fault
    Fault m_fault = Fault::None;
    std::size_t m_nTake = 0; // names of OpenUnique that something else takes first
    std::vector<std::string> m_taken;
    int m_nCalls = 0; // reads and writes

private:
    Fault See(FileOp op, const char* pszPath) {
        m_nCalls += op == FileOp::Read || op == FileOp::Write;
        if (op == FileOp::Create && m_taken.size() < m_nTake) {
            m_taken.push_back(pszPath);
            if (m_taken.size() % 2)
                std::ofstream(pszPath) << "taken";
            else
                std::filesystem::create_directory(pszPath);
        }
        if (op != m_faultOp)
            return Fault::None;
        m_faultOp = FileOp::Count;
        return m_fault;
    }
};

using Step = std::function<void(CCase&)>;
constexpr UINT rd = CFile::modeRead, wr = CFile::modeWrite, rw = CFile::modeReadWrite,
               cr = CFile::modeCreate, nt = CFile::modeNoTruncate;

template <typename File> Step OpenAs(const std::string& strName, UINT nFlags) {
    return [=](CCase& c) {
        auto file = std::make_unique<File>();
        const std::string strPath = c.Path(strName);
        CFileException e;
        const BOOL bOpened = file->Open(strPath.c_str(), nFlags, &e);
        c.Opened(std::move(file), strPath, bOpened, e);
    };
}
Step Open(const std::string& strName, UINT nFlags) { return OpenAs<CFile>(strName, nFlags); }
Step Text(const std::string& strName, UINT nFlags) { return OpenAs<CStdioFile>(strName, nFlags); }
// OpenUnique in the test folder plus strSub, with the prefix "x.".
Step Unique(const std::string& strSub) {
    return [=](CCase& c) {
        auto file = std::make_unique<CFile>();
        const std::string strFolder = c.m_folder.Prefix() + strSub;
        CFileException e;
        const BOOL bMade = file->OpenUnique(strFolder.c_str(), "x.", &e);
        // Failures name the folder or the name last tried.
        std::string strPath = bMade ? file->GetFilePath().str() : e.m_strFileName.str();
        if (bMade && (strPath.rfind(strFolder + "x.", 0) != 0 ||
                      strPath.substr(strPath.size() - 4) != ".tmp" ||
                      std::count(c.m_unique.begin(), c.m_unique.end(), strPath)))
            strPath = "elsewhere";
        if (bMade)
            c.m_unique.push_back(strPath);
        c.Opened(std::move(file), strPath, bMade, e);
    };
}
Step Read(UINT nCount) {
    return [=](CCase& c) {
        c.OnTop([&](CFile& f) {
            std::string bytes(nCount, '\0');
            bytes.resize(f.Read(bytes.data(), nCount));
            c.Add(Quote(bytes));
        });
    };
}
Step Write(const std::string& bytes) {
    return [=](CCase& c) { c.OnTop([&](CFile& f) { f.Write(bytes.data(), bytes.size()); }); };
}
Step Seek(LONGLONG lOff, UINT nFrom) {
    return
        [=](CCase& c) { c.OnTop([&](CFile& f) { c.Add(std::to_string(f.Seek(lOff, nFrom))); }); };
}
Step Length() {
    return [](CCase& c) { c.OnTop([&](CFile& f) { c.Add(std::to_string(f.GetLength())); }); };
}
Step Flush() {
    return [](CCase& c) { c.OnTop([](CFile& f) { f.Flush(); }); };
}
// Closed, or not, the file is done with.
Step Close() {
    return [](CCase& c) {
        c.OnTop([](CFile& f) { f.Close(); });
        c.Add(c.m_files.back()->IsOpen() ? "open!" : "");
        c.m_files.pop_back();
    };
}
// Text through the text file opened last.
Step Say(const std::string& strText) {
    return [=](CCase& c) {
        c.OnTop([&](CFile& f) { dynamic_cast<CStdioFile&>(f).WriteString(strText.c_str()); });
    };
}
// Every line left, each in brackets; at the end, an empty line and FALSE again.
Step Lines() {
    return [](CCase& c) {
        c.OnTop([&](CFile& f) {
            auto& text = dynamic_cast<CStdioFile&>(f);
            std::string strLines;
            CString line;
            while (text.ReadString(line))
                strLines += "[" + Line(line.str()) + "]";
            c.Add(strLines + (line.IsEmpty() && !text.ReadString(line) ? "" : "!"));
        });
    };
}
Step Put(const std::string& strName, const std::string& bytes) {
    return [=](CCase& c) { c.m_folder.Write(strName, Bytes(bytes.begin(), bytes.end())); };
}
Step Disk(const std::string& strName) {
    return [=](CCase& c) { c.Add(c.Disk(strName)); };
}
using MoveFn = BOOL (*)(const char*, const char*, CFileException*);
Step Move(MoveFn pfnMove, const std::string& strSource, const std::string& strTarget) {
    return [=](CCase& c) {
        CFileException e;
        if (!pfnMove(c.Path(strSource).c_str(), c.Path(strTarget).c_str(), &e))
            c.AddCause(e, c.Path(strTarget));
    };
}
Step Replace(const std::string& strSource, const std::string& strTarget) {
    return Move(CFile::Replace, strSource, strTarget);
}
Step Rename(const std::string& strSource, const std::string& strTarget) {
    return Move(CFile::Rename, strSource, strTarget);
}
Step Remove(const std::string& strName) {
    return [=](CCase& c) { c.Add(CFile::Remove(c.Path(strName).c_str()) ? "" : "refused"); };
}
// The next operation op fails or is shortened, as the system would do it.
Step Inject(FileOp op, Fault fault) {
    return [=](CCase& c) {
        c.m_faultOp = op;
        c.m_fault = fault;
    };
}
// The next n names that OpenUnique draws are taken just before it creates them: a file, a
// folder, a file...; Taken() shows them afterwards.
Step Take(std::size_t n) {
    return [=](CCase& c) { c.m_nTake = n; };
}
Step Taken() {
    return [](CCase& c) {
        for (const std::string& strPath : c.m_taken)
            c.Add(c.Disk(strPath));
    };
}
// Ten thousand lines written and read back: their count and the last one, and the reads and
// writes of the system if there were more than one a kilobyte.
Step TenThousandLines() {
    return [](CCase& c) {
        std::string strText;
        for (int i = 0; i < 10000; ++i)
            strText += "line " + std::to_string(i) + "\n";
        const int nCallsBefore = c.m_nCalls;
        for (const Step& step : {Text("long", cr | wr), Say(strText), Close(), Text("long", rd)})
            step(c);
        c.OnTop([&](CFile& f) {
            CString line, last;
            int nLines = 0;
            for (; static_cast<CStdioFile&>(f).ReadString(line); ++nLines)
                last = line;
            c.Add(std::to_string(nLines) + " lines, the last [" + last.str() + "]");
        });
        const int nCalls = c.m_nCalls - nCallsBefore;
        if (nCalls > static_cast<int>(2 * strText.size() / 1024))
            c.Add(std::to_string(nCalls) + " reads and writes");
    };
}
#ifdef _WIN32
// Another program opens the file sharing everything.
Step ShareAll(const std::string& strName) {
    return [=](CCase& c) {
        HANDLE h = ::CreateFileA(c.Path(strName).c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD dwError = ::GetLastError();
        c.Add(h != INVALID_HANDLE_VALUE            ? "shared"
              : dwError == ERROR_SHARING_VIOLATION ? "sharingViolation"
                                                   : "error " + std::to_string(dwError));
        if (h != INVALID_HANDLE_VALUE)
            ::CloseHandle(h);
    };
}
#endif

struct Case {
    const char* pszWhat;
    std::vector<Step> steps;
    std::string strAccount;
};

const std::string kGap = "0123456789" + std::string(10, '\0') + "X";

const Case kCases[] = {
    // Opening: what each mode does with a file that is there or not, and why it fails.
    {"a missing file, to read", {Open("missing", rd), Disk("missing")}, "fileNotFound none"},
    {"a missing file, to read and write", {Open("missing", rw)}, "fileNotFound"},
    {"a missing file, to write", {Open("missing", wr), Disk("missing")}, "fileNotFound none"},
    {"a new file in a missing folder", {Open("nofolder/new", cr | wr)}, "badPath"},
    {"a folder, to read", {Open("folder", rd)}, "accessDenied"},
    {"a folder, to read and write", {Open("folder", rw)}, "accessDenied"},
    {"a folder, to create", {Open("folder", cr | wr), Disk("folder")}, "accessDenied folder"},
    {"no name", {Open("", rd)}, "badPath"},
    {"a device: no file of a disk", {Open("NUL", rw)}, "accessDenied"},
    {"create empties a file", {Open("data", cr | wr), Length(), Close(), Disk("data")}, "0 ''"},
    {"create, to read and write, empties it", {Open("data", cr | rw), Length()}, "0"},
    {"no-truncate keeps it", {Open("data", cr | nt | wr), Length()}, "10"},
    {"write keeps it", {Open("data", wr), Length()}, "10"},
    {"read and write keeps it", {Open("data", rw), Length()}, "10"},
    {"create makes a file", {Open("new", cr | wr), Length(), Close(), Disk("new")}, "0 ''"},
    {"no-truncate makes one", {Open("new", cr | nt | wr), Close(), Disk("new")}, "''"},
    // Without sharing: while one CFile holds a file, nothing opens, empties or removes it.
    {"an open file is not shared",
     {Open("data", rd), Open("data", rd), Open("data", rw), Open("data", cr | wr), Remove("data"),
      Length(), Close(), Disk("data")},
     "sharingViolation sharingViolation sharingViolation refused 10 '0123456789'"},
    // Positions: reads stop at the end; a write past it leaves zeros in the gap.
    {"seeks, and reads and writes past the end",
     {Open("data", rw), Seek(4, CFile::begin), Seek(2, CFile::current), Read(16), Read(16),
      Seek(-1, CFile::end), Read(1), Seek(20, CFile::begin), Read(4), Write("X"), Flush(), Length(),
      Close(), Disk("data")},
     "4 6 '6789' '' 9 '9' 20 '' 21 " + Quote(kGap)},
    {"seeks before the start, or from nowhere",
     {Open("data", rw), Seek(-11, CFile::end), Seek(-1, CFile::begin), Seek(0, 3)},
     "badSeek badSeek badSeek"},
    // Replace takes the target's place whatever is there; Rename never replaces anything;
    // neither moves a file that is open. A move that fails leaves both files as they were.
    {"replace over a file",
     {Put("src", "new"), Replace("src", "data"), Disk("src"), Disk("data"), Replace("src", "data")},
     "none 'new' fileNotFound"},
    {"replace to a new name", {Put("src", "new"), Replace("src", "dst"), Disk("dst")}, "'new'"},
    {"rename to a new name",
     {Put("src", "new"), Rename("src", "dst"), Disk("src"), Disk("dst"), Rename("src", "dst")},
     "none 'new' fileNotFound"},
    {"rename over a file",
     {Put("src", "new"), Rename("src", "data"), Disk("src"), Disk("data")},
     "generic 'new' '0123456789'"},
    {"rename over an empty file",
     {Put("src", "new"), Put("dst", ""), Rename("src", "dst"), Disk("dst")},
     "generic ''"},
    {"replace over an open file",
     {Put("src", "new"), Open("data", rd), Replace("src", "data"), Close(), Disk("src"),
      Disk("data")},
     "accessDenied 'new' '0123456789'"},
    {"replace of an open file",
     {Put("src", "new"), Open("src", rd), Replace("src", "data"), Close(), Disk("data")},
     "sharingViolation '0123456789'"},
    {"rename of an open file",
     {Put("src", "new"), Open("src", rd), Rename("src", "dst"), Close(), Disk("dst")},
     "sharingViolation none"},
    {"remove", {Remove("data"), Disk("data"), Remove("data")}, "none refused"},
    // Unique files: new, distinct, in the folder given, open to read and write and not shared;
    // names that something else takes meanwhile are passed over and never touched.
    {"unique files",
     {Unique(""), Unique(""), Length(), Write("abc"), Seek(0, CFile::begin), Read(3),
      Open("@1", rd), Close(), Disk("@1"), Rename("@1", "dst"), Disk("dst")},
     "0 0 'abc' sharingViolation 'abc' 'abc'"},
    {"names taken meanwhile", {Take(3), Unique(""), Taken()}, "'taken' folder 'taken'"},
    {"every name taken", {Take(1000), Unique("")}, "directoryFull"},
    {"a create refused", {Inject(FileOp::Create, Fault::Fail), Unique("")}, "generic"},
    {"a missing folder", {Unique("missing/")}, "badPath"},
    {"a folder without its separator", {Unique("folder")}, "badPath"},
    // What the system fails comes out as its cause and names the file; a failed close lets the
    // file go all the same, and nothing stays held.
    {"each operation failed",
     {Open("data", rw), Inject(FileOp::Read, Fault::Fail), Read(8),
      Inject(FileOp::Seek, Fault::Fail), Seek(1, CFile::begin), Inject(FileOp::Length, Fault::Fail),
      Length(), Inject(FileOp::Write, Fault::Fail), Write("x"), Inject(FileOp::Flush, Fault::Fail),
      Flush(), Inject(FileOp::Close, Fault::Fail), Close(), Open("data", rw), Read(10)},
     "hardIO badSeek generic diskFull diskFull diskFull '0123456789'"},
    {"a shortened read",
     {Open("data", rd), Inject(FileOp::Read, Fault::Short), Read(10), Read(10)},
     "'01234' '56789'"},
    {"a write the system takes in part is written on",
     {Open("new", cr | wr), Inject(FileOp::Write, Fault::Short), Write("abcdef"), Close(),
      Disk("new")},
     "'abcdef'"},
    // Text files: a failed read is generic, a failed write, flush or close a full disk.
    {"text, a failed read",
     {Text("data", rd), Inject(FileOp::Read, Fault::Fail), Lines()},
     "generic"},
    {"text, failed writes",
     {Text("new", cr | wr), Say("one\n"), Inject(FileOp::Flush, Fault::Fail), Flush(), Say("two\n"),
      Inject(FileOp::Close, Fault::Fail), Close(), Text("new", cr | wr), Say("x\n"),
      Inject(FileOp::Write, Fault::Fail), Close(), Open("new", rw)},
     "diskFull diskFull diskFull"},
    {"text, a write taken in part",
     {Text("new", cr | wr), Say("one\n"), Inject(FileOp::Write, Fault::Short), Close(),
      Disk("new")},
     "'one\\r\\n'"},
    // Text mode: lines end at LF, a CR before it goes, Ctrl-Z ends the file, a last line
    // without LF counts; LF is written as CR LF. Blocks, not a system call per line.
    {"CR LF", {Put("t", "a\r\nb\r\n"), Text("t", rd), Lines()}, "[a][b]"},
    {"LF, and a last line without", {Put("t", "a\nb"), Text("t", rd), Lines()}, "[a][b]"},
    {"a lone CR stays", {Put("t", "a\rb\n"), Text("t", rd), Lines()}, "[a\rb]"},
    {"Ctrl-Z in a line",
     {Put("t", "abc\x1A"
               "def\n"),
      Text("t", rd), Lines()},
     "[abc]"},
    {"Ctrl-Z after a line",
     {Put("t", "abc\n\x1A"
               "def"),
      Text("t", rd), Lines()},
     "[abc]"},
    {"an empty file", {Put("t", ""), Text("t", rd), Lines()}, ""},
    {"a line longer than the buffer",
     {Put("t", std::string(20000, 'x') + "\n"), Text("t", rd), Lines()},
     "[x*20000]"},
    {"CR LF across the buffer's end",
     {Put("t", std::string(4095, 'y') + "\r\nz"), Text("t", rd), Lines()},
     "[y*4095][z]"},
    {"text written",
     {Text("new", cr | wr), Say("one\ntwo\n"), Close(), Disk("new"), Text("new", rd), Lines()},
     "'one\\r\\ntwo\\r\\n' [one][two]"},
    {"ten thousand lines", {TenThousandLines()}, "10000 lines, the last [line 9999]"},
#ifdef _WIN32
    // Only Windows refuses these names, and keeps out even a reader that shares everything.
    {"a file in a missing folder, to read", {Open("nofolder/new", rd)}, "badPath"},
    {"a name Windows refuses", {Open("bad<name>", rd)}, "badPath"},
    {"not even a reader that shares everything",
     {Open("data", rd), ShareAll("data")},
     "sharingViolation"},
    {"nor of a unique file", {Unique(""), ShareAll("@0")}, "sharingViolation"},
#endif
};

TEST(File, Contract) {
    for (const Case& c : kCases) {
        CCase run;
        for (const Step& step : c.steps)
            step(run);
        EXPECT_EQ(run.m_strAccount, c.strAccount) << c.pszWhat;
    }
}

} // namespace
