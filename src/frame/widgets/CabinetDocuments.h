// The documents a cabinet keeps: taken from the open windows when the cabinet
// is written, and opened again, where they stood, when one is loaded.
#pragma once

#include "doc/CabinetFile.h"

#include <vector>

class CDocTemplate;
class QMdiArea;
class QStatusBar;

// The documents with a path, in the order they were opened, at most 30:
// each with its first frame's placement, whether one of its frames is the
// active one, its mode and read-only state and its view's position. A path
// the code page cannot spell is left out, since it could not be found again.
std::vector<CabinetDocument> CollectCabinetDocuments(const CDocTemplate& docTemplate,
                                                     const QMdiArea& area);

// Opens the documents in turn (a file that cannot be read is skipped without
// a word), showing the progress in the status bar; then shows every frame
// with its placement and activates the one that was active, or else the
// first, maximised. Records of the earlier layout kept no mode: they open as
// binary documents and get no maximising fallback.
void RestoreCabinetDocuments(CDocTemplate& docTemplate, QMdiArea& area, QStatusBar& status,
                             const std::vector<CabinetDocument>& documents);
