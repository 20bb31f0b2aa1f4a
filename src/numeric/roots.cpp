#include "numeric/roots.h"

#include <algorithm>
#include <cmath>

namespace kalvor {

namespace {

constexpr Number kExactZero = 1e-300L;
constexpr Number kNegligible = 1e-200L;

class RootFinder {
public:
    RootFinder(const RealFunction& f, Number tolerance) : m_f(f), m_tol(tolerance) {}

    // The regula falsi point of a and b; the midpoint when the values are too close to divide
    // by or the point falls outside the interval.
    Number secant(Number a, Number b) const {
        const Number fa = m_f(a), fb = m_f(b);
        if (!(std::fabs(fa - fb) > m_tol)) return (a + b) / 2;
        const Number c = a - fa * (b - a) / (fb - fa);
        if (!(c >= std::min(a, b) && c <= std::max(a, b))) return (a + b) / 2;
        return c;
    }

    Number newton(Number x) const {
        Number delta = correction(x, 1e-5L);
        for (int n = 0;
             n < kRootIterations && std::fabs(m_f(x)) > kNegligible && std::fabs(delta) > m_tol;
             ++n) {
            x -= delta;
            delta = correction(x, 1e-6L);
        }
        return x;
    }

    // Regula falsi on [lo, hi] from the estimate x. A step that finds no sign change on either
    // side would leave everything as it is, so the search ends there.
    Number bracket(Number lo, Number hi, Number x) const {
        for (int n = 0; n < kRootIterations && std::fabs(m_f(x)) > kNegligible; ++n) {
            const Number fx = m_f(x);
            if (m_f(lo) * fx <= 0) {
                hi = x;
            } else if (m_f(hi) * fx <= 0) {
                lo = x;
            } else {
                break;
            }
            x = secant(lo, hi);
        }
        return x;
    }

private:
    Number correction(Number x, Number h) const {
        const Number derivative = (m_f(x + h) - m_f(x - h)) / (2 * h);
        return derivative == 0 ? 0 : m_f(x) / derivative;
    }

    const RealFunction& m_f;
    Number m_tol;
};

}  // namespace

Number findZero(const RealFunction& f, Number xmin, Number xmax, Number start, Number tolerance) {
    const Number lo = std::min(xmin, xmax), hi = std::max(xmin, xmax);
    const RootFinder finder(f, tolerance);
    const auto answer = [&](Number s) {
        if (s < lo || s > hi || std::fabs(f(s)) > std::fabs(f(start))) return start;
        return s;
    };
    Number s = start;
    if (std::fabs(f(s)) <= kExactZero) return answer(s);
    if (s < lo || s > hi) s = finder.secant(lo, hi);
    const Number n = finder.newton(s);
    if (lo < n && n < hi) s = n;
    Number r = start;
    if (!(std::fabs(f(n)) < kNegligible)) {
        const Number fl = f(lo), fh = f(hi);
        if (fl * f(s) > 0 && fh * f(s) > 0) s = (lo + hi) / 2;
        const Number fs = f(s);
        if (fl * fh <= 0)
            r = finder.bracket(lo, hi, s);
        else if (fl * fs <= 0)
            r = finder.bracket(lo, s, finder.secant(lo, s));
        else if (fs * fh <= 0)
            r = finder.bracket(s, hi, finder.secant(s, hi));
    }
    if (lo < r && r < hi && std::fabs(f(r)) < std::fabs(f(s))) s = r;
    return answer(s);
}

}  // namespace kalvor
