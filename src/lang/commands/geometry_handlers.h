#pragma once

// The handlers of the geometric constructions; geometry.cpp lists them in the command table.

namespace kalvor {

class RunContext;

namespace geometry {

// geometry_lines.cpp
void vectorvoorstelling(RunContext& ctx);
void middelloodlijn(RunContext& ctx);
void bissectrice(RunContext& ctx);
void loodlijn(RunContext& ctx);
void hoogtelijn(RunContext& ctx);
void conflictlijn(RunContext& ctx);

// geometry_marks.cpp
void hoekmarkering(RunContext& ctx);
void lijnstukmarkering(RunContext& ctx);

}  // namespace geometry
}  // namespace kalvor
