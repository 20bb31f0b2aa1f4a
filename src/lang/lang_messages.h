#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kalvor {

/// Caption of the messages that warn and let the run go on.
inline constexpr std::string_view kWarningCaption = "Waarschuwing";
/// Caption of the errors that end a run or a redraw.
inline constexpr std::string_view kErrorCaption = "Oeps";
/// Caption of the error of a loop variable that the loop's body assigned to.
inline constexpr std::string_view kLoopVariableCaption = "foutje";

/// The general message of a failed run, shown by the redraw.
inline constexpr const char* kGeneralFailure =
    "Hier heb ik het moeilijk mee! Controleer even of alles wel klopt.";

/// An expression that could not be parsed. One from a program line adds that the cause may
/// lie in an earlier line.
inline std::string cannotParseMessage(std::string_view expression, bool fromProgram) {
    std::string text =
        "Kalvor kan de uitdrukking: \r" + std::string(expression) + "\rniet verwerken.";
    if (fromProgram)
        text +=
            "\rDe oorzaak kan deze uitdrukking zelf zijn, maar ook een fout in een "
            "voorafgaande programmaregel.";
    return text;
}

inline std::string cannotEvaluateMessage(std::string_view expression) {
    return "Fout bij de evaluatie van " + std::string(expression);
}

inline std::string invalidListMessage(std::string_view list) {
    return "Ongeldige lijst: " + std::string(list);
}

// ---- The executor's messages; the limits are the executor's own constants ----

inline std::string tooManyLoopsMessage(std::size_t limit) {
    return "Te veel geneste lussen: er kunnen ten hoogste " + std::to_string(limit) +
           " lussen tegelijk lopen.";
}
inline std::string tooManyRepeatsMessage(std::size_t limit) {
    return "Te veel geneste herhaal-blokken: ten hoogste " + std::to_string(limit) + " tegelijk.";
}
inline std::string tooManyProceduresMessage(int limit) {
    return "Het aantal geneste procedures is beperkt tot " + std::to_string(limit);
}
inline std::string tooManyFrameNamesMessage(std::size_t limit) {
    return "Een procedure kan ten hoogste " + std::to_string(limit) +
           " parameters en lokale variabelen hebben.";
}
inline std::string invalidListExpressionMessage(std::string_view expression) {
    return "Ongeldige expressie: " + std::string(expression);
}
inline std::string procedureNotFoundMessage(std::string_view name) {
    return "proc " + std::string(name) + " niet gevonden.";
}
inline std::string invalidIndexMessage(std::string_view index, std::string_view list) {
    return "Ongeldige index: " + std::string(index) + " of ongeldige lijst: " + std::string(list);
}
inline constexpr std::string_view kLoopVariableAssigned =
    "Toekenning aan lusvariabele niet toegestaan";
inline constexpr std::string_view kNextWithoutLoop =
    "next of volgende zonder lus: er hoort een for, met, film of voorelke bij.";
inline constexpr std::string_view kUntilWithoutRepeat =
    "totdat zonder herhaal: er hoort een herhaal bij.";
inline constexpr std::string_view kEndNotFound = "eind niet gevonden";
inline constexpr std::string_view kLocalOutsideProcedure =
    "local kan alleen binnen een procedure gebruikt worden.";
inline constexpr std::string_view kEndProcWithoutProcedure =
    "eindproc zonder procedure: zet eind voor de eerste defproc.";

/// A figure command whose figure would need more than `limit` points draws nothing, so that
/// one program line cannot exhaust the memory; this message says so.
inline std::string tooManyPointsMessage(std::string_view command, long long limit) {
    return std::string(command) + ": de figuur vraagt meer dan " + std::to_string(limit) +
           " punten en wordt daarom niet getekend.";
}

/// An axis of eigenassen or eigenassenf that would need more than `limit` ticks gets none.
inline std::string tooManyTicksMessage(std::string_view command, long long limit) {
    return std::string(command) + ": een as vraagt meer dan " + std::to_string(limit) +
           " streepjes en krijgt daarom geen streepjes.";
}

/// A save command's file name must come without extension (the command adds the number and
/// the extension itself).
inline constexpr std::string_view kNameWithoutExtension = "Bestandsnaam zonder extensie opgeven";

// ---- The editor's notes on a program (1-based line numbers, as the editor shows them) ----

/// A line the executor would skip because it knows no such command.
inline std::string unknownLineMessage(std::size_t line, std::string_view name) {
    return "Regel " + std::to_string(line) + ": onbekende opdracht '" + std::string(name) + "'";
}
/// The line a run stopped on with an error.
inline std::string stoppedLineMessage(std::size_t line) {
    return "Regel " + std::to_string(line) + ": hier stopte het programma met een fout";
}

}  // namespace kalvor
