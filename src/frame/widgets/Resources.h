// The images and pages built into the program. vexel_gui is a static library,
// so its resources reach the executable only when InitResources() is called
// once (before the first image is used).
//
// Resource names: the toolbar image at place N of the image order (see
// ToolbarImageIndex()) is ":/toolbar/NN.png" (two digits), tab image N is
// ":/tabs/tabN.png", each with an "@2x" version beside it that QIcon picks on
// high-DPI screens; the help page is ":/help/index.html".
#pragma once

#include <QIcon>
#include <QString>
#include <QUrl>

void InitResources();

// The five tab images, numbered 0 to 4 (TabBarImageNo picks one).
inline constexpr int kTabImageCount = 5;

// Resource path of toolbar image `imageIndex` (0 to 15); empty when there is none.
QString ToolbarImagePath(int imageIndex);
// The toolbar image; a null icon when there is none.
QIcon ToolbarIcon(int imageIndex);
// Tab image `number` (0 to kTabImageCount - 1); a null icon outside.
QIcon TabImageIcon(int number);
// The program's icon at 16, 32 and 64 pixels.
QIcon ProgramIcon();
// The help page in the resources ("qrc:" URL); its images are the toolbar's.
QUrl HelpPageUrl();
