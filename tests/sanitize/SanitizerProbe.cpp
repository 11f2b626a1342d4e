// Proves that a sanitizer build really checks: each mode commits one fault
// that the sanitizers must report (the tests expect their reports).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

volatile int g_sink;

int Address() {
    char* bytes = static_cast<char*>(std::malloc(8));
    std::memset(bytes, 0, 8);
    char* volatile kept = bytes; // hidden from the compiler's own warning
    std::free(bytes);
    g_sink = kept[0]; // read after free
    return 0;
}

int Undefined() {
    volatile int big = std::numeric_limits<int>::max();
    g_sink = big + 1; // signed overflow
    return 0;
}

int Leak() {
    void* lost = std::malloc(64);
    std::memset(lost, 1, 64);
    g_sink = static_cast<char*>(lost)[0];
    lost = nullptr;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "";
    if (std::strcmp(mode, "address") == 0)
        return Address();
    if (std::strcmp(mode, "undefined") == 0)
        return Undefined();
    if (std::strcmp(mode, "leak") == 0)
        return Leak();
    std::fprintf(stderr, "usage: sanitizer_probe address|undefined|leak\n");
    return 2;
}
