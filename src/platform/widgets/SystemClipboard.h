// The system clipboard's text as code page 932 bytes: what the panes copy is
// converted for other programs, and what other programs left is read back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

void PutClipboardCp932(const uint8_t* cp932, size_t n);
// False when the clipboard holds no text.
bool GetClipboardCp932(std::string& cp932);
