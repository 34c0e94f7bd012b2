#include <cstdio>
int main() { std::puts("kalorimo: not built yet"); return 0; }
