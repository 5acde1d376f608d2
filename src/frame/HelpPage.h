// The bundled help page. A browser needs a real file, so the page and the
// toolbar images it shows are copied from the resources into the user's
// cache folder first.
#pragma once

#include <QUrl>

// The file URL of the help page, refreshed from the resources; an empty URL
// when it could not be written.
QUrl HelpPageUrl();
