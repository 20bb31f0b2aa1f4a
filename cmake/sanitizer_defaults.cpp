// Linked into every program of a sanitizer build. The symbolic library (Giac) allocates
// tables at load time that it never frees, and leaks a little while it computes; fontconfig
// keeps its configuration for the life of the process; those reports are not ours. Giac's
// GMP calls are found only by the slow unwinder (GMP keeps no frame pointers), so
// allocations are unwound the slow way.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libgiac.so\nleak:libfontconfig.so\n";
}

extern "C" const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}
