// Preloaded into the game by the player test: every change to the environment is told on stderr,
// with the number of threads the process had then, as
//   environment: setenv NAME with 1 thread(s)
// A change made while a second thread runs is a data race with any getenv on that thread.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int threads() {
    char status[4096];
    const int file = open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    const ssize_t size = file < 0 ? -1 : read(file, status, sizeof status - 1);
    if (file >= 0) close(file);
    if (size <= 0) return -1;
    status[size] = '\0';
    const char* line = std::strstr(status, "\nThreads:");
    return line != nullptr ? std::atoi(line + 9) : -1;
}

void tell(const char* call, const char* name) {
    char line[512];
    const int length = std::snprintf(line, sizeof line, "environment: %s %.300s with %d thread(s)\n", call,
                                     name != nullptr ? name : "", threads());
    if (length > 0) (void)!write(2, line, std::size_t(length) < sizeof line ? std::size_t(length) : sizeof line - 1);
}

template <class Function>
Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

int setenv(const char* name, const char* value, int overwrite) {
    tell("setenv", name);
    return next<int (*)(const char*, const char*, int)>("setenv")(name, value, overwrite);
}

int unsetenv(const char* name) {
    tell("unsetenv", name);
    return next<int (*)(const char*)>("unsetenv")(name);
}

int putenv(char* assignment) {
    tell("putenv", assignment);
    return next<int (*)(char*)>("putenv")(assignment);
}

int clearenv() {
    tell("clearenv", nullptr);
    return next<int (*)()>("clearenv")();
}

}  // extern "C"
