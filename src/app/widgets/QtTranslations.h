// Qt's own texts (the buttons of message boxes, the file dialogs, an edit
// box's context menu) in Japanese, like the rest of the program, whatever the
// system's language.
#pragma once

// Installs Qt's Japanese translations into the running application; false
// when they are not installed on this system (Qt's texts then stay English).
[[nodiscard]] bool InstallQtTranslations();
