// Entry point: the commands without a window need no display (and, but for
// --print-pdf, no Qt); everything else starts the application.
#include "app/widgets/CLumoApp.h"
#include "binpane/CommandHelp.h"
#include "binpane/CompareCommand.h"
#include "binpane/DumpCommand.h"
#include "binpane/FormatCommand.h"
#include "frame/widgets/PrintPdfCommand.h"
#include "platform/DisplayCheck.h"

#include <cstdio>
#include <string_view>

namespace {

int RunHelp(int, char**, std::FILE* out, std::FILE*)
{
    return WriteCommandHelp(out);
}

// Each runs with argv[1] its name, writes to the two streams and answers the exit status.
struct HeadlessCommand
{
    std::string_view name;
    int (*run)(int argc, char** argv, std::FILE* out, std::FILE* err);
};

constexpr HeadlessCommand kHeadlessCommands[] = {
    { "--dump", RunDumpCommand },
    { "--compare", RunCompareCommand },
    { "--format", RunFormatCommand },
    { "--print-pdf", RunPrintPdfCommand },
    { "--help", RunHelp },
};

} // namespace

int main(int argc, char** argv)
{
    for (const HeadlessCommand& command : kHeadlessCommands) {
        if (argc >= 2 && argv[1] == command.name)
            return command.run(argc, argv, stdout, stderr);
    }

    if (!platform::HasDisplay()) {
        std::fprintf(stderr, "vexel: no display to open a window on; try `xvfb-run -a make run`, "
                             "or the commands without a window\n(`vexel --dump FILE`, `--compare FILE1 FILE2`, "
                             "`--format TEMPLATE FILE`; see `vexel --help`).\n");
        return 1;
    }
    CLumoApp app(argc, argv);
    return app.run();
}
