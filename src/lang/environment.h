#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "bigint/bigint.h"
#include "expr/function_library.h"
#include "expr/host.h"
#include "expr/number_lists.h"
#include "expr/parser.h"
#include "expr/symbolic/symbolic.h"
#include "lang/output_log.h"
#include "lang/program_controls.h"
#include "lang/text_variables.h"

namespace kalvor {

class DrawingContext;
class RunContext;
class WindowServices;

/// Options of one run, read from the program's setting lines by the redraw.
struct RunOptions {
    bool reset = true;     // "reset=nee" switches it off
    bool checking = true;  // "checking=nee": loops do not process window events
};

/// Flags shared by the executor, the redraw and the window's event handlers.
struct RunFlags {
    bool abort = false;            // Escape: loops end at their next end test
    bool pumped = false;           // events were processed since the last loop jump
    bool waiting = false;          // pauze or stop is waiting
    bool paused = false;           // stop waits for its button: redraw requests are ignored
    bool expressionError = false;  // an argument could not be parsed (message shown)
    bool evaluationError = false;  // an argument could not be evaluated (message shown)
    bool paramsFollowSliders = false;
};

/// The mouse as the free points of programs see it.
struct MouseState {
    Number x = 0, y = 0;          // world position of the last drag
    std::string draggedPoint;     // the free point being dragged, empty when none
    bool resetFreePoints = true;  // set by the reset corner, cleared at every run end
};

/// The world a program runs in: the four parser instances with the function library, the
/// lists, the text variables, the 26 big-integer registers, the output window's lines, the
/// flags and the person (Host). The Workbench owns one and attaches the drawing layer and the
/// window's services.
class Environment {
public:
    static constexpr int kParsers = 4;
    static constexpr int kRegisters = 26;
    static constexpr int kEscape = 27;

    explicit Environment(Host& host);
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

    /// Parser1 … Parser4 by their program number.
    Parser& parser(int number) { return parsers[number - 1]; }

    /// Writes a numeric variable into Parser1 … Parser`upTo`.
    void setVariable(std::string_view name, Number value, int upTo = 3);

    /// A key reached the window: _toetscode in all four parsers; Escape also aborts.
    void keyPressed(int code);

    /// The register named by "#" and a letter (case does not matter; text after the letter
    /// is ignored); nullptr when the second character is no letter.
    BigInt* bigIntRegister(std::string_view name);

    /// The symbolic library of this workbench, started when first asked for.
    SymbolicEngine& symbolic();

    Host& host;
    std::array<Parser, kParsers> parsers;
    NumberLists lists;
    FunctionLibrary library{lists, host};
    TextVariables texts;
    std::array<BigInt, kRegisters> registers;
    OutputLog output;
    /// The window's program controls, frame counter and builder list.
    ProgramControls controls;
    RunFlags flags;
    std::string startupDirectory = ".";
    MouseState mouse;
    /// The drawing layer (canvas, PDF recorder, picture text); null in runs without a canvas.
    DrawingContext* drawing = nullptr;
    /// The graph window's fields and services; null in runs without a window.
    WindowServices* window = nullptr;

    /// Called at run start (after the executor's own steps) and at run end; the Workbench
    /// registers the drawing state, sliders and picture text here.
    std::vector<std::function<void(RunContext&)>> runStartHooks;
    std::vector<std::function<void(RunContext&)>> runEndHooks;
    /// snapshot / toonsnapshot and the passes of film; empty until a canvas is attached.
    std::function<void()> takeSnapshot;
    std::function<void()> showSnapshot;

private:
    std::unique_ptr<SymbolicEngine> m_symbolic;
};

}  // namespace kalvor
