// The request by which a second start hands one file name to the running
// instance: the execute text [open("NAME")], one per name. Anything that
// arrives over the channel may come from a foreign or broken program, so the
// parser accepts only a text that makes exactly one usable file name.
#pragma once

#include <cstddef>
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

// The execute text for name: "[open(", a double quote, name, a double quote, ")]".
std::string MakeOpenRequest(std::string_view name);

// The longest execute text MakeOpenRequest() makes for a transferable name.
size_t MaxOpenRequestLength();

// The name of an execute text, or nothing when the text is not exactly one
// open request for a transferable name. The name is everything between the
// first quote and the last, so a name may itself hold quotes.
std::optional<std::string> ParseOpenRequest(std::string_view text);

// The socket's file name for one program in the user's private directory:
// "<program>.instance", each byte outside [A-Za-z0-9._] written as %XX, so
// that any base name makes one plain file name and distinct ones stay distinct.
std::string InstanceSocketName(std::string_view programBaseName);
