#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "canvas/canvas_types.h"
#include "output/color.h"

namespace kalvor {

/// A colour swatch of the side panel: its colour, its line width and whether the user may
/// change it (a program that fixes the colour disables it).
struct Swatch {
    Color colour = kBlack;
    int width = 1;
    bool enabled = true;
    bool operator==(const Swatch&) const = default;
};

/// The swatch of the right-click fill: a colour and a hatch pattern.
struct FillSwatch {
    Color colour = 0x0000FF;  // red
    BrushStyle pattern = BrushStyle::ForwardDiagonal;
    bool operator==(const FillSwatch&) const = default;
};

enum class AxisStyle { Sides, Middle, None };

/// The editor's help with programs, each switched in "Opties" and kept in the preferences.
struct EditorHelp {
    /// Line numbers and colours for command names, settings, comments, texts and numbers.
    bool colours = true;
    /// Unknown lines underlined and listed at compile; the line a run stopped on marked.
    bool lineChecks = true;
    /// A list of command names to complete the word being typed.
    bool completion = true;
    bool operator==(const EditorHelp&) const = default;
};

/// The graph window's fields that the redraw reads, as plain data: ranges and formulas as
/// the texts the user typed, labels, axis style and options, the swatches, and the few window
/// choices that the preferences file keeps.
struct GraphSettings {
    std::string xmin = "-5", xmax = "5", ymin = "-5", ymax = "5";
    std::array<std::string, 4> functions;  // F, G, H, I
    std::array<Swatch, 4> functionSwatches;
    std::string xlabel = "x", ylabel = "y";
    bool showXLabel = false, showYLabel = false;
    AxisStyle axes = AxisStyle::Middle;
    bool grid = false, ticks = true, numbers = true;
    Swatch axisSwatch{0, 1, true};
    Swatch gridSwatch{0xE6E6E6, 1, true};
    FillSwatch fillSwatch;
    std::string hint;
    bool showHints = false;
    std::array<std::string, 3> userTexts;  // the program's user boxes 1 … 3
    /// "2x zo groot": the metafile export records at the full canvas size.
    bool metafileFullSize = true;
    /// "&Transparante Gif's": saved GIF files make white transparent.
    bool transparentGifs = true;
    /// The graph window's size in pixels as the window reports it (0: not known); kept in
    /// the preferences file.
    int formWidth = 0, formHeight = 0;
    EditorHelp editorHelp;
    /// The wheel zooms and a middle or Ctrl+left drag pans the canvas.
    bool mouseNavigation = true;
    /// "Volgen": the readout below the canvas shows the functions' values at the pointer.
    bool trace = false;
    /// "Gladde lijnen": the canvas draws anti-aliased; off, its pixels are the aliased ones
    /// that programs may read back.
    bool smoothLines = false;

    bool operator==(const GraphSettings&) const = default;
};

}  // namespace kalvor
