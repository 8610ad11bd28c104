#include "app/product.h"

std::string FormatVersion(int number) {
    std::string text = std::to_string(number);
    const size_t digits = text.size();
    if (digits >= 1) {
        text.insert(1, ".");
    }
    if (digits >= 2) {
        text.insert(3, ".");
    }
    if (!text.empty() && text.back() == '0') {
        text.resize(3);
    }
    return text;
}

std::string ProductTitle() {
    return std::string(kProductName) + " " + FormatVersion(kVersionNumber);
}

std::string MakerWord() {
    return std::string(kProductName.substr(0, kProductName.find(' ')));
}
