// The registry's colour strings on any text: no crash, a success fits in
// 24 bits and a failure leaves the colour alone; text of digits and spaces
// only is checked against the rule worked out here token by token.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "palette/palette.h"

// Digits and spaces: the first three space-separated numbers, each modulo
// 256 digit by digit, or false with fewer.
static bool reference(const std::string& text, COLORREF* colour)
{
    COLORREF result = 0;
    size_t at = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        at = text.find_first_not_of(' ', at);
        if (at == std::string::npos) return false;
        unsigned value = 0;
        for (; at < text.size() && text[at] != ' '; at++)
            value = (value * 10 + unsigned(text[at] - '0')) % 256;
        result |= COLORREF{value} << shift;
    }
    *colour = result;
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    text = text.c_str(); // the parser reads up to the first NUL
    COLORREF colour = 0xABCDEF01;
    bool parsed = parse_registry_colour(text.c_str(), &colour);
    if (parsed ? colour > 0x00FFFFFF : colour != 0xABCDEF01) std::abort();
    if (text.find_first_not_of("0123456789 ") != std::string::npos) return 0;
    COLORREF expected = 0;
    if (parsed != reference(text, &expected) || (parsed && colour != expected)) std::abort();
    return 0;
}
