#include "PatternCompiler.h"

#include "CharClass.h"
#include "DirectEvaluator.h"

#include <cmath>

namespace formula32 {

unsigned low16(double v) {
    if (!std::isfinite(v))
        return 0;
    double m = std::fmod(std::trunc(v), 65536.0); // exact for every double
    if (m < 0)
        m += 65536.0;
    return static_cast<unsigned>(m);
}

namespace {

// Deeper nesting of brackets than this is refused as too complex a loop
// structure, rather than exhausting the machine stack.
constexpr int kMaxBracketNesting = 256;
constexpr std::size_t kMaxLoopBody = 1024;

class PatternCompiler {
public:
    PatternCompiler(const char* text, std::size_t position, PatternCode& code,
                    const EvaluationContext& context)
        : text_(text), pos_(position), code_(code), context_(context) {}

    PatternCompilation run() {
        ErrorCode e = emit(patternWord(PatternKind::Start, 0, 0));
        if (e == kOk)
            e = items(0);
        if (e == kOk)
            e = emit(patternWord(PatternKind::End, 0, 0));
        return {e, pos_, e == kOk ? count_ : 0};
    }

private:
    char peek() const { return text_[pos_]; }
    void skipSpace() {
        while (isSpace(text_[pos_]))
            ++pos_;
    }
    ErrorCode fail(ErrorCode code, std::size_t at) {
        pos_ = at;
        return code;
    }
    ErrorCode emit(std::uint32_t word) {
        if (count_ >= code_.size())
            return kPatternTooLong;
        code_[count_++] = word;
        return kOk;
    }
    std::uint32_t& previous() { return code_[count_ - 1]; }

    // Evaluates the expression at the current position; moves past it.
    bool evaluate(double& value, std::size_t& stop) {
        const Evaluation e = evaluateDirectly(text_, pos_, context_);
        stop = e.position;
        value = e.value;
        return e.error == kOk;
    }

    bool isMaskKeyword() const {
        static constexpr char kMask[] = "mask";
        for (std::size_t i = 0; i < 4; ++i) {
            const char c = text_[pos_ + i];
            const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
            if (lower != kMask[i])
                return false;
        }
        return true;
    }

    // Items up to the end of the text or the first error. A "]" stops them
    // with kPatternItem, which the enclosing bracket takes as its end.
    ErrorCode items(int depth) {
        for (;;) {
            skipSpace();
            ErrorCode e = kOk;
            switch (peek()) {
            case '\0':
                return kOk;
            case 'H':
                e = letter(Letter::High);
                break;
            case 'L':
                e = letter(Letter::Low);
                break;
            case 'N':
                e = letter(Letter::Invert);
                break;
            case 'Z':
                e = letter(Letter::Keep);
                break;
            case '#':
                e = valueWord(PatternKind::Value, 1);
                break;
            case ':':
                e = emit(patternWord(PatternKind::NewTrack, 0, 0));
                pos_ += e == kOk ? 1 : 0;
                break;
            case '[':
                e = bracket(depth);
                break;
            case '{':
                e = group();
                break;
            default:
                e = isMaskKeyword() ? valueWord(PatternKind::Mask, 4) : countWord();
                break;
            }
            if (e != kOk)
                return e;
        }
    }

    ErrorCode letter(Letter l) {
        const auto bits = static_cast<unsigned>(l);
        std::uint32_t& prev = previous();
        ErrorCode e = kOk;
        if (wordKind(prev) == PatternKind::Count) {
            prev = patternWord(PatternKind::Run, bits, wordValue(prev));
        } else if (wordKind(prev) == PatternKind::Letters && wordField(prev) < 8) {
            const unsigned n = wordField(prev);
            prev = patternWord(PatternKind::Letters, n + 1, wordValue(prev) | (bits << (2 * n)));
        } else {
            e = emit(patternWord(PatternKind::Letters, 1, bits));
        }
        if (e == kOk)
            ++pos_;
        return e;
    }

    // "#" value or "Mask" value: the keyword, then an expression.
    ErrorCode valueWord(PatternKind kind, std::size_t keywordLength) {
        pos_ += keywordLength;
        double v = 0;
        std::size_t stop = 0;
        if (!evaluate(v, stop))
            return fail(kPatternSyntax, stop);
        pos_ = stop;
        return emit(patternWord(kind, 0, low16(v)));
    }

    ErrorCode countWord() {
        const std::size_t start = pos_;
        double v = 0;
        std::size_t stop = 0;
        if (!evaluate(v, stop))
            return fail(stop == start ? kPatternItem : kPatternSyntax, stop);
        pos_ = stop;
        if (std::isnan(v))
            return fail(kPatternSyntax, stop);
        if (v > 32767)
            return fail(kRepeatCountTooLarge, stop);
        const unsigned n = v < 0 ? 0u : static_cast<unsigned>(v);
        return emit(patternWord(PatternKind::Count, 0, n));
    }

    // A count just before a group turns into the group's loop head.
    bool takeLoopHead(std::size_t& head) {
        std::uint32_t& prev = previous();
        if (wordKind(prev) != PatternKind::Count)
            return false;
        prev = patternWord(PatternKind::LoopHead, 0, wordValue(prev));
        head = count_ - 1;
        return true;
    }

    ErrorCode bracket(int depth) {
        std::size_t head = 0;
        const bool loop = takeLoopHead(head);
        ++pos_;
        if (depth + 1 > kMaxBracketNesting)
            return fail(kLoopTooComplex, pos_);
        const ErrorCode e = items(depth + 1);
        if (e == kOk) // the text ended inside the bracket
            return fail(kPatternSyntax, pos_);
        if (e != kPatternItem)
            return e;
        if (peek() != ']')
            return fail(kPatternSyntax, pos_);
        ++pos_;
        if (!loop)
            return kOk;
        const std::size_t distance = count_ - head;
        if (distance - 1 > kMaxLoopBody)
            return fail(kLoopTooComplex, pos_);
        return emit(patternWord(PatternKind::LoopEnd, static_cast<unsigned>(distance), 0));
    }

    ErrorCode group() {
        std::size_t head = 0;
        const bool loop = takeLoopHead(head);
        ++pos_;
        unsigned set = 0;  // lines to set
        unsigned flip = 0; // lines to invert afterwards
        for (;;) {
            skipSpace();
            const char c = peek();
            unsigned s = 0;
            unsigned f = 0;
            if (c == '\0')
                return fail(kGroupUnbalanced, pos_);
            if (c == '}') {
                ++pos_;
                break;
            }
            if (c == 'h' || c == 'l' || c == 'n' || c == 'z') {
                s = (c == 'h' || c == 'l') ? 1 : 0;
                f = (c == 'l' || c == 'n') ? 1 : 0;
                ++pos_;
            } else if (c == '#') {
                ++pos_;
                double v = 0;
                std::size_t stop = 0;
                if (!evaluate(v, stop))
                    return fail(kPatternSyntax, stop);
                pos_ = stop;
                s = 1;
                f = (low16(v) & 1u) ? 0 : 1; // odd sets the line, even clears it
            } else {
                return fail(kGroupSyntax, pos_);
            }
            set = ((set << 1) | s) & 0xFFFFu;
            flip = ((flip << 1) | f) & 0xFFFFu;
        }
        ErrorCode e = emit(patternWord(PatternKind::Or, 0, set));
        if (e == kOk)
            e = emit(patternWord(PatternKind::Xor, 1, flip));
        if (e == kOk && loop)
            e = emit(patternWord(PatternKind::LoopEnd, 3, 0));
        return e;
    }

    const char* text_;
    std::size_t pos_;
    PatternCode& code_;
    const EvaluationContext& context_;
    std::size_t count_ = 0;
};

} // namespace

PatternCompilation compilePattern(const char* text, std::size_t position, PatternCode& code,
                                  const EvaluationContext& context) {
    return PatternCompiler(text, position, code, context).run();
}

} // namespace formula32
