// demodata DEMO_DIR ARCHIVE_PATH: lays out the demo folder (see DemoData.h).
#include "tools/demodata/DemoData.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DEMO_DIR ARCHIVE_PATH_AS_THE_TOOL_SEES_IT\n", argv[0]);
        return 2;
    }
    const std::string strArchivePath = argv[2];
    // The tool reads the stored path only up to its first blank.
    if (strArchivePath.find_first_of(" \t") != std::string::npos)
        std::fprintf(stderr, "warning: the tool will read '%s' only up to its first blank\n",
                     argv[2]);
    if (!demodata::WriteDemoData(argv[1], strArchivePath))
        return 1;
    std::printf("demo data written to %s\n", argv[1]);
    return 0;
}
