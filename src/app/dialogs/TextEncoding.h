#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace qw::desktop {

// How the bytes of a user's file become text on screen and back. A file is
// never re-encoded: what the user did not touch is written back byte for byte.
enum class TextEncoding {
    Utf8,        // the bytes are valid UTF-8 throughout
    Windows1252, // anything else: every byte stands for one character
};

// UTF-8 when the bytes are valid UTF-8, else Windows-1252.
TextEncoding detectEncoding(std::string_view bytes);

QString decodeText(std::string_view bytes, TextEncoding encoding);

// The reverse of decodeText. A character the encoding cannot hold (one typed
// by the user into a Windows-1252 text) becomes "?".
std::string encodeText(const QString& text, TextEncoding encoding);

// The number of UTF-16 code units that `bytes` decode to: where a byte column
// of the pass lands on screen.
int decodedLength(std::string_view bytes, TextEncoding encoding);

} // namespace qw::desktop
