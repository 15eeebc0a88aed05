// Turns a text file's bytes into 8-bit text the column parser can read:
// a UTF-8 byte order mark is dropped, UTF-16 text (with its mark, as some
// spreadsheets write "Unicode text") is narrowed, each character outside
// ASCII becoming '?'. Only digits, signs, points and delimiters matter to the
// parser, so nothing it reads is lost.
#ifndef ZW_PLUGINS_TEXTDECODING_H
#define ZW_PLUGINS_TEXTDECODING_H

#include <optional>
#include <string>
#include <string_view>

namespace zw::textimport {

// Nothing for binary data: a NUL byte in what should be text.
std::optional<std::string> DecodeText(std::string_view bytes);

} // namespace zw::textimport

#endif // ZW_PLUGINS_TEXTDECODING_H
