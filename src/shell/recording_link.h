// The link that opens a recording in the page: "index.html#watch=" and the
// recording file's bytes in base64url without padding. The data stays in the
// fragment, so it never reaches a server.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr const char* RECORDING_LINK_PREFIX = "index.html#watch=";

// The bytes in base64url without padding.
std::string recording_link_text(const uint8_t* bytes, size_t size);
// Reads the text of a link back into bytes: base64url or base64, with or without
// padding. False when the text is no base64 at all.
bool recording_link_bytes(const char* text, std::vector<uint8_t>* bytes);
