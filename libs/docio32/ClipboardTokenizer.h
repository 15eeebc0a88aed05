// The numbers of a clipboard text. Any text is accepted: characters other
// than digits, '+' and '-' separate tokens (a decimal point too, so "1.5" is
// two numbers), a NUL ends the text. A token is at most 19 characters; of a
// longer run the 20th character is dropped and the rest starts a new token.
// A token gives the low 16 bits of its leading number ("12-3" gives 12, a
// lone sign 0, "65535" and "-1" both -1).
#ifndef DOCIO32_CLIPBOARD_TOKENIZER_H
#define DOCIO32_CLIPBOARD_TOKENIZER_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace docio32 {

class ClipboardTokenizer {
public:
    static constexpr std::size_t kMaxTokenLength = 19;

    explicit ClipboardTokenizer(std::string_view text);

    // The code of the next token, or nullopt when the text holds no more.
    std::optional<int16_t> next();

private:
    std::string_view rest_;
};

// Every code of a text; for tests and fuzzing.
std::vector<int16_t> clipboardCodes(std::string_view text);

} // namespace docio32

#endif
