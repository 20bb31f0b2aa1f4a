#pragma once

#include <span>
#include <string_view>

namespace kalvor {

class RunContext;

/// A test form of argument preprocessing: an argument that begins with "?" (or "$" for the
/// text tests) and contains `marker` is replaced by "1" or "0".
struct TestForm {
    std::string_view marker;
    /// nullptr while the family that decides it is not built: the argument becomes "".
    bool (*test)(RunContext&, std::string_view argument) = nullptr;
};

/// The "?" forms in the order they are tried.
std::span<const TestForm> questionTestForms();
/// The forms also recognised in an argument that begins with "$".
std::span<const TestForm> dollarTestForms();

}  // namespace kalvor
