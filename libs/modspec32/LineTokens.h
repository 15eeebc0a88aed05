// Splitting one line of a model file: comments, tokens, and the line kinds
// of the block grammar and of command scripts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace modspec32 {

// Separator sets of the format.
inline constexpr std::string_view kWordSeparators = " \t\n";
inline constexpr std::string_view kValueSeparators = "\t\"\n";
inline constexpr std::string_view kScriptKeySeparators = "\t\" \n";

// Takes tokens one after the other, each with its own separator set: leading
// separators are skipped, a token runs to the next separator, and that one
// separator is consumed with it. So "key = a b" gives "key", "=", "a b".
class Tokenizer {
public:
    explicit Tokenizer(std::string_view text) : rest_(text) {}
    std::optional<std::string_view> next(std::string_view separators);

private:
    std::string_view rest_;
};

// The line up to its first NUL, cut at the first apostrophe outside double
// quotes (a double quote toggles the quoted stretch).
std::string_view withoutComment(std::string_view line);

// ASCII-only case lowering: bytes of 0x80 and above (Shift_JIS texts) are
// left as they are.
std::string asciiLower(std::string_view text);

enum class LineKind { Blank, End, BeginGlobal, Reference, Begin, BeginScript, Assignment };

struct BlockLine {
    LineKind kind = LineKind::Blank;
    std::string name;  // key of an assignment (lowered) or block name (lowered)
    std::string value; // value of an assignment, or the block label (as written)
    bool hasLabel = false;
};

// A line of the block grammar; nullopt for a syntax error (assignment
// without "=" or value, block line without name, or without the label that
// reference, beginglobal and beginscript require).
std::optional<BlockLine> parseBlockLine(std::string_view line);

enum class ScriptLineKind { Blank, Command, End, Bad };

struct ScriptLine {
    ScriptLineKind kind = ScriptLineKind::Blank;
    std::string_view key;     // as written
    std::string_view command; // without quotes
};

// A line inside a command script: "key = command", "end", or Bad for
// anything else (including a key and "=" without a command).
ScriptLine parseScriptLine(std::string_view line);

} // namespace modspec32
