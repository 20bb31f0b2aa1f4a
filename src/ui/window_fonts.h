#pragma once

#include <QFont>

namespace kalvor {

/// The fixed-pitch font of the program panes and the output window ("Courier New", which
/// fontconfig maps to a metric-compatible face).
inline QFont fixedPitchFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

}  // namespace kalvor
