#include "binpane/CommandHelp.h"

namespace {

constexpr char kHelp[] =
    "Usage: vexel [options] [FILE]\n"
    "       vexel --dump [dump options] FILE\n"
    "       vexel --compare [dump options] FILE1 FILE2\n"
    "       vexel --format TEMPLATE FILE [format options]\n"
    "       vexel --help\n"
    "\n"
    "Without a command, opens the editor window and in it FILE, if given, as a\n"
    "binary document. Options start with \"-\" or \"/\"; a value follows the\n"
    "letter directly or after \"=\", with no blank:\n"
    "  -A=CABINET                   the cabinet file to use (default: vexel.cab\n"
    "                               in the profile directory)\n"
    "  -L=LINE, -C=COLUMN           caret line and column of a text document\n"
    "                               (binary documents ignore them)\n"
    "  -Q                           quiet start (accepted, changes nothing yet)\n"
    "\n"
    "The commands need no display.\n"
    "--dump writes the hex dump of FILE as a screen copy shows it: the heading\n"
    "line, a rule line and every dump line, each ending in CR LF.\n"
    "--compare writes the dump lines in which FILE1 and FILE2 differ, as the\n"
    "editor's compare command does: the heading and rule lines, then for each\n"
    "differing line that of FILE1, that of FILE2 and an empty line, the digits\n"
    "of equal bytes replaced by the replacing character. When the sizes differ\n"
    "it says so on standard error and compares only as far as the smaller.\n"
    "--format decodes a range of FILE field by field as the template file\n"
    "TEMPLATE describes it, and writes the table the editor would append to\n"
    "its \"Table\" document: the template's name, one line per field, two empty\n"
    "lines (CR LF endings).\n"
    "\n"
    "Dump options (those not given come from the profile's settings):\n"
    "  --code sjis|jis|euc|utf16    character code of the character column\n"
    "  --bytes-per-line N           bytes per line, 5 to 64\n"
    "  --block N                    bytes per block of the hex column, 5 to 64\n"
    "                               (for the address form in effect)\n"
    "  --decimal                    decimal addresses\n"
    "  --hex                        hexadecimal addresses\n"
    "  --output-code utf8|cp932     encoding of the output (default utf8)\n"
    "  --help                       this text\n"
    "\n"
    "Format options:\n"
    "  --offset N                   first byte of the range (default 0)\n"
    "  --length N                   bytes in the range (default: to the end)\n"
    "  --output-code utf8|cp932     encoding of the output (default utf8)\n"
    "N is decimal, or hexadecimal after \"0x\".\n"
    "\n"
    "Exit status of --dump: 0 done, 1 the output could not be written, 2 bad input.\n"
    "Exit status of --compare: 0 the files agree (same size, no differing line;\n"
    "two empty files agree), 1 they differ (in a line or only in size),\n"
    "2 bad input, or a file could not be read or the output written.\n"
    "Exit status of --format: 0 done, 1 the output could not be written, 2 bad\n"
    "input (the template's own messages included).\n"
    "The profile directory is $VEXEL_PROFILE_DIR, else the program's directory\n"
    "when it holds vexel.ini, else ~/.config/vexel.\n";

} // namespace

int WriteCommandHelp(std::FILE* out)
{
    std::fputs(kHelp, out);
    return 0;
}
