#pragma once

#include <QString>

namespace kalvor {

/// A file shipped with the program (film.js, the help pages): beside the executable, in the
/// installed data folder (share/kalvor next to bin), or in the source tree's resources for a
/// build that was not installed. An empty text when none of them holds it.
QString findDataFile(const QString& name);

}  // namespace kalvor
