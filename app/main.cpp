#include <cstdio>

int main() {
    std::puts("Kivuna: the tag library is built; the editor and organizer windows are not there yet.");
    return 0;
}
