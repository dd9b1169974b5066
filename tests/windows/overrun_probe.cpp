// Overruns an eight-byte buffer on the stack by as many bytes as its second argument is long
// beyond eight, the way the hardened build must stop: "copy" through memcpy, which the
// fortified headers check against the buffer's size before copying, "loop" byte by byte past
// the stack protector's guard value, which is checked as the function returns. "copied" on
// standard error tells the two apart.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    const std::size_t length = std::strlen(argv[2]);
    char buffer[8] = {};
    if (std::strcmp(argv[1], "copy") == 0) {
        std::memcpy(buffer, argv[2], length);
    } else {
        char* volatile target = buffer;
        for (std::size_t i = 0; i < length; ++i) {
            target[i] = argv[2][i];
        }
    }
    std::fputs("copied\n", stderr);
    std::fflush(stderr);
    std::fwrite(buffer, 1, sizeof buffer, stdout);
    return 0;
}
