// Where the program keeps its per-user sockets, and who is at the other end
// of one. In a directory that others may write, another user can put a socket
// at our name before we do; in one that only the user can enter, nobody can.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// A directory only this user can enter: $XDG_RUNTIME_DIR when it is one, else
// "vexel-<uid>" in the temporary directory, made when missing. A directory
// counts when it is owned by the user, is no symbolic link and has mode 0700
// exactly; one found in any other state is left alone and nothing is answered.
[[nodiscard]] std::optional<std::string> PrivateRuntimeDir();

// Whether the process at the other end of a connected local socket runs as
// this user. False when that cannot be told.
[[nodiscard]] bool PeerIsSameUser(intptr_t socketDescriptor);

} // namespace platform
