#pragma once

#include <optional>
#include <string>
#include <string_view>

// What each platform's converter provides to model/GbkCodec.cpp; CMake builds
// exactly one backend. Texts here are never pure ASCII: the codec handles
// those itself.
namespace GbkBackend {

bool Ready();

// The GBK bytes, or nullopt for ill-formed UTF-8 or a character the converter
// refuses. May still hold a look-alike; the codec checks the round trip.
std::optional<std::string> Encode(std::string_view utf8);

// The UTF-8 text; sets `exact` to false when some bytes were no GBK character
// and became U+FFFD.
std::string Decode(std::string_view gbk, bool& exact);

} // namespace GbkBackend
