#include "lang/commands/bigint_operands.h"

#include <cctype>
#include <chrono>
#include <cmath>
#include <string>

#include "lang/run_context.h"

namespace kalvor {

namespace {

constexpr auto kEventInterval = std::chrono::milliseconds(20);

std::optional<BigInt> registerValue(RunContext& ctx, std::string_view line) {
    if (const BigInt* value = namedRegister(ctx, line)) return *value;
    return std::nullopt;
}

BigInt decimalValue(RunContext& ctx, std::string_view line) {
    BigInt value;
    value.setText(ctx.preprocess(line));
    return value;
}

}  // namespace

BigInt* namedRegister(RunContext& ctx, std::string_view line) {
    if (BigInt* value = ctx.env.bigIntRegister(line)) return value;
    ctx.fail("\"" + std::string(line) +
             "\" is geen groot getal: gebruik # gevolgd door een letter, #A tot en met #Z.");
    return nullptr;
}

std::optional<BigInt> commandOperand(RunContext& ctx, std::string_view line) {
    if (line.find('#') != std::string_view::npos) return registerValue(ctx, line);
    return decimalValue(ctx, line);
}

std::optional<BigInt> testOperand(RunContext& ctx, std::string_view text) {
    if (text.starts_with('#')) return registerValue(ctx, text);
    return decimalValue(ctx, text);
}

std::optional<std::int64_t> wholeArgument(RunContext& ctx, int k) {
    const Number value = std::trunc(ctx.number(k));
    // 2^63 is exact in the 64-bit mantissa, so both bounds compare without rounding.
    if (value >= -0x1p63L && value < 0x1p63L) return static_cast<std::int64_t>(value);
    ctx.fail("De waarde van \"" + ctx.arg(k) +
             "\" is geen geheel getal tussen -9223372036854775808 en 9223372036854775807.");
    return std::nullopt;
}

void refuseTooLarge(RunContext& ctx, std::string_view registerLine) {
    const char letter =
        static_cast<char>(std::toupper(static_cast<unsigned char>(registerLine[1])));
    ctx.fail(std::string("De uitkomst in #") + letter +
             " wordt te groot (meer dan 1073741824 bits). Het programma stopt.");
}

RunProgress::RunProgress(RunContext& ctx)
    : m_progress(throttled(
          [this, &ctx] {
              ctx.processEvents();
              m_cancelled = ctx.env.flags.abort;
              return !m_cancelled;
          },
          kEventInterval)) {}

}  // namespace kalvor
