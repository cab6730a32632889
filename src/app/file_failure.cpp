#include <cstdio>
#include <cstdlib>

#include "app/app_state.hpp"

void failOnFile(const char* file, const char* reason) {
    shutDown();
    std::fprintf(stderr, "tiefschacht: %s: %s\n", file ? file : "(no name)",
                 reason ? reason : "cannot be used");
    std::fflush(stderr);
    std::exit(1);
}

void failOnStartUp(const std::string& reason) {
    shutDown();
    std::fprintf(stderr, "tiefschacht: %s\n", reason.c_str());
    std::fflush(stderr);
    std::exit(1);
}
