#include <cstdio>

int main() {
    std::fputs("Aufruf: talerwerk-cli BEFEHL ...\n", stderr);
    return 2;
}
