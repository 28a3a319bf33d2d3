// Base64 for recording links: written as base64url without padding, read in
// either alphabet, padded or not, so that a link a mail program or a chat has
// rewritten still opens.
#include "shell/recording_link.h"

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

// The value of a base64 character in either alphabet, or -1.
int32_t value_of(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '-' || c == '+') return 62;
    if (c == '_' || c == '/') return 63;
    return -1;
}

}  // namespace

std::string recording_link_text(const uint8_t* bytes, size_t size) {
    std::string text;
    text.reserve((size + 2) / 3 * 4);
    uint32_t bits = 0;
    int32_t held = 0;
    for (size_t i = 0; i < size; ++i) {
        bits = (bits << 8) | bytes[i];
        held += 8;
        while (held >= 6) {
            held -= 6;
            text += kAlphabet[(bits >> held) & 63];
        }
    }
    if (held > 0) text += kAlphabet[(bits << (6 - held)) & 63];
    return text;
}

bool recording_link_bytes(const char* text, std::vector<uint8_t>* bytes) {
    bytes->clear();
    uint32_t bits = 0;
    int32_t held = 0;
    size_t i = 0;
    for (; text[i] != '\0' && text[i] != '='; ++i) {
        int32_t v = value_of(text[i]);
        if (v < 0) return false;
        bits = (bits << 6) | static_cast<uint32_t>(v);
        held += 6;
        if (held >= 8) {
            held -= 8;
            bytes->push_back(static_cast<uint8_t>(bits >> held));
        }
    }
    // Padding only at the end; a lone character left over carries no byte.
    for (; text[i] == '='; ++i) {
    }
    return text[i] == '\0' && held < 6 && !bytes->empty();
}
