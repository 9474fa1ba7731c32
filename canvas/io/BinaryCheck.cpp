#include "canvas/io/BinaryCheck.h"

namespace {

bool IsControl(unsigned char c) {
    return (c < 0x20 && c != '\t' && c != '\n' && c != '\f' && c != '\r') || c == 0x7F;
}

} // namespace

bool LooksBinary(const std::string& bytes) {
    size_t controls = 0;
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == 0) return true;
        controls += IsControl(c);
    }
    return controls * 2 > bytes.size();
}
