#include <windows.h>
#include <cstdio>
int wmain() {
    std::puts("testbed");
    return 0;
}
