#include <cstdio>

int main() {
    std::fprintf(stderr, "tavik-cli: not built yet\n");
    return 2;
}
