#include "LineTokens.h"

namespace modspec32 {

std::optional<std::string_view> Tokenizer::next(std::string_view separators) {
    const std::size_t start = rest_.find_first_not_of(separators);
    if (start == std::string_view::npos) {
        rest_ = {};
        return std::nullopt;
    }
    rest_.remove_prefix(start);
    const std::size_t end = rest_.find_first_of(separators);
    const std::string_view token = rest_.substr(0, end);
    rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
    return token;
}

std::string_view withoutComment(std::string_view line) {
    line = line.substr(0, line.find('\0'));
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            quoted = !quoted;
        } else if (line[i] == '\'' && !quoted) {
            return line.substr(0, i);
        }
    }
    return line;
}

std::string asciiLower(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lowered;
}

namespace {

LineKind kindOfFirstToken(std::string_view lowered) {
    if (lowered == "end") {
        return LineKind::End;
    }
    if (lowered == "beginglobal") {
        return LineKind::BeginGlobal;
    }
    if (lowered == "reference") {
        return LineKind::Reference;
    }
    if (lowered == "begin") {
        return LineKind::Begin;
    }
    if (lowered == "beginscript") {
        return LineKind::BeginScript;
    }
    return LineKind::Assignment;
}

} // namespace

std::optional<BlockLine> parseBlockLine(std::string_view rawLine) {
    Tokenizer tokens(withoutComment(rawLine));
    const auto first = tokens.next(kWordSeparators);
    if (!first) {
        return BlockLine{};
    }
    BlockLine line;
    const std::string lowered = asciiLower(*first);
    line.kind = kindOfFirstToken(lowered);
    switch (line.kind) {
    case LineKind::End:
        return line;
    case LineKind::Assignment: {
        const auto equals = tokens.next(kWordSeparators);
        if (!equals || equals->front() != '=') {
            return std::nullopt;
        }
        const auto value = tokens.next(kValueSeparators);
        if (!value) {
            return std::nullopt;
        }
        line.name = lowered;
        line.value = std::string(*value);
        return line;
    }
    default: {
        const auto name = tokens.next(kWordSeparators);
        if (!name) {
            return std::nullopt;
        }
        line.name = asciiLower(*name);
        if (const auto label = tokens.next(kValueSeparators)) {
            line.value = std::string(*label);
            line.hasLabel = true;
        } else if (line.kind != LineKind::Begin) {
            return std::nullopt;
        }
        return line;
    }
    }
}

ScriptLine parseScriptLine(std::string_view rawLine) {
    Tokenizer tokens(withoutComment(rawLine));
    const auto key = tokens.next(kScriptKeySeparators);
    if (!key) {
        return ScriptLine{};
    }
    const auto equals = tokens.next(kWordSeparators);
    if (!equals || *equals != "=") {
        return ScriptLine{
            asciiLower(*key) == "end" ? ScriptLineKind::End : ScriptLineKind::Bad, {}, {}};
    }
    const auto command = tokens.next(kValueSeparators);
    if (!command) {
        return ScriptLine{ScriptLineKind::Bad, {}, {}};
    }
    return ScriptLine{ScriptLineKind::Command, *key, *command};
}

} // namespace modspec32
