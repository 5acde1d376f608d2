// Moves the program data file's fields to where the program keeps them: the
// histories and find options to the find code's process-wide values, the
// toolbar list to the frame, the rest into g_programData until it is written.
#pragma once

#include <cstdint>
#include <vector>

class CMainFrame;

// Start-up: the program's own values are the defaults the file's fields replace.
void LoadProgramData();
// Exit: gathers the values back and writes the file.
void SaveProgramData();
// The toolbar list as the frame lays it out.
std::vector<uint16_t> DataToolbarButtons();
// After the customise sheet's OK: the frame's toolbar laid out again from the
// list and the file written.
void ApplyCustomization(CMainFrame& frame);
