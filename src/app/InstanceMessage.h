// The request by which a second start hands one file name to the running
// instance: the execute text [open("NAME")], one per name. Anything that
// arrives over the channel may come from a foreign or broken program, so the
// parser accepts only a text that makes exactly one usable file name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The longest name that travels (bytes); a path the system can open is shorter.
inline constexpr size_t kMaxRequestName = 4095;
// Every request on the channel ends with this byte; names never hold it.
inline constexpr char kRequestTerminator = '\n';
// The file names one start hands over at most.
inline constexpr size_t kMaxHandOverNames = 20;
// The running instance answers each request it took with this line.
inline constexpr std::string_view kRequestAcknowledgement = "ok\n";

// Whether name may travel: not empty, at most kMaxRequestName bytes, valid
// UTF-8 (the receiver turns it into a QString), no control characters (they
// would break the line framing and are never typed into a file name), and
// absolute (the receiver runs in another working directory).
bool IsTransferableName(std::string_view name);

// One file to open, with the line and column of /L and /C (0 when absent):
// a file given a line opens as a text document there.
struct OpenRequest
{
    std::string name;
    int32_t line = 0;
    int32_t column = 0;
    bool operator==(const OpenRequest&) const = default;
};

// The execute text of a request: "[open(", a double quote, the name, a double
// quote, then ",LINE,COLUMN" in decimal when a line or column is given, and ")]".
std::string MakeOpenRequest(const OpenRequest& request);

// The longest execute text MakeOpenRequest() makes for a transferable name.
size_t MaxOpenRequestLength();

// The request of an execute text, or nothing when the text is not exactly one
// open request for a transferable name with non-negative numbers. The name is
// everything between the first quote and the last, so a name may itself hold
// quotes; the numbers hold none.
std::optional<OpenRequest> ParseOpenRequest(std::string_view text);

// The socket's file name for one program in the user's private directory:
// "<program>.instance", each byte outside [A-Za-z0-9._] written as %XX, so
// that any base name makes one plain file name and distinct ones stay distinct.
std::string InstanceSocketName(std::string_view programBaseName);
