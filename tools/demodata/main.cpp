// demodata DEMO_DIR ARCHIVE_PATH: lays out the demo folder (see DemoData.h).
#include "tools/demodata/DemoData.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DEMO_DIR ARCHIVE_PATH_AS_THE_TOOL_SEES_IT\n", argv[0]);
        return 2;
    }
    if (!demodata::WriteDemoData(argv[1], argv[2]))
        return 1;
    std::printf("demo data written to %s\n", argv[1]);
    return 0;
}
