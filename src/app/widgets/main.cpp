// Entry point: the headless dump needs no display and no Qt; everything else
// starts the application.
#include "app/widgets/CLumoApp.h"
#include "binpane/DumpCommand.h"
#include "platform/DisplayCheck.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc >= 2 && (std::strcmp(argv[1], "--dump") == 0 || std::strcmp(argv[1], "--help") == 0))
        return RunDumpCommand(argc, argv, stdout, stderr);

    if (!platform::HasDisplay()) {
        std::fprintf(stderr, "vexel: no display to open a window on; try `xvfb-run -a make run`, "
                             "or `vexel --dump FILE` for the dump as text.\n");
        return 1;
    }
    CLumoApp app(argc, argv);
    return app.run();
}
