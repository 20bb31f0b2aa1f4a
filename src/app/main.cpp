#include <cstdio>
#include <cstring>

// Entry point: the desktop program, or one of the command-line modes.
int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("Kalvor %s\n", KALVOR_VERSION);
        return 0;
    }
    std::fprintf(stderr, "usage: kalvor --version\n");
    return 2;
}
