#include <cstdio>

#include "app/product.h"

int main() {
    std::printf("%s\n", ProductTitle().c_str());
    return 0;
}
