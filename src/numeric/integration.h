#pragma once

#include <optional>
#include <string_view>

#include "bigint/progress.h"
#include "numeric/real_function.h"

namespace kalvor {

enum class IntegrationMethod { Trapezium, Simpson, Romberg, Gauss, Kronrod };

/// The method by its exact, case-sensitive name ("trapezium", "simpson", "romberg", "gauss",
/// "kronrod"); std::nullopt for any other text.
std::optional<IntegrationMethod> integrationMethod(std::string_view name);

/// The integral of f from a to b (either order: the sign follows), refined until two
/// successive values agree within the relative tolerance or the method's size limit is
/// passed. Exceptions of f are passed on.
Number integrate(const RealFunction& f, Number a, Number b, Number tolerance,
                 IntegrationMethod method);

/// (f(x + dx) − f(x − dx)) / dx / 2.
Number centralSlope(const RealFunction& f, Number x, Number dx);

/// f applied floor(count) times from `start`; a count below 1 gives the start value. A
/// cancelled progress ends the iteration early.
Number iterate(const RealFunction& f, Number start, Number count, const Progress& progress = {});

}  // namespace kalvor
