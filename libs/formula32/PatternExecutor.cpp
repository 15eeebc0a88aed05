#include "PatternExecutor.h"

#include "PatternWord.h"

#include <algorithm>
#include <vector>

namespace formula32 {
namespace {

// Samples the work allowance is given for (see kPatternWorkPerSample).
std::uint64_t allowedSamples(const PatternTarget& t) {
    const auto size = static_cast<std::int64_t>(t.memorySize);
    const std::int64_t end = t.first + std::max<std::int64_t>(t.length, 0);
    const std::int64_t inside =
        std::max<std::int64_t>(std::min(end, size) - std::max<std::int64_t>(t.first, 0), 0);
    const std::int64_t before = std::max<std::int64_t>(std::min<std::int64_t>(end, 0) - t.first, 0);
    return static_cast<std::uint64_t>(inside + std::min(before, size));
}

class PatternRun {
public:
    PatternRun(std::uint32_t* words, std::size_t count, const PatternTarget& target)
        : words_(words), count_(count), target_(target), current_(target.first),
          left_(target.length), marks_(count, target.first),
          workLimit_(kPatternBaseWork + kPatternWorkPerSample * allowedSamples(target)) {}

    ErrorCode execute() {
        std::size_t pc = 0;
        for (;;) {
            if (left_ <= 0 && !skipToTrackEnd(pc))
                return kUnknownPatternWord;
            if (pc >= count_)
                return kUnknownPatternWord;
            if (!spend(1))
                return kLoopTooComplex;
            const std::uint32_t w = words_[pc];
            switch (wordKind(w)) {
            case PatternKind::Start:
            case PatternKind::LoopHead:
                ++pc;
                break;
            case PatternKind::Run: {
                const std::int64_t n = stretchOf(wordValue(w));
                if (!spend(static_cast<std::uint64_t>(n)))
                    return kLoopTooComplex;
                applyLetter(static_cast<Letter>(wordField(w) & 3u), n);
                ++pc;
                break;
            }
            case PatternKind::Letters: {
                const unsigned n = std::min(wordField(w), 8u);
                for (unsigned i = 0; i < n && left_ > 0; ++i)
                    applyLetter(static_cast<Letter>((wordValue(w) >> (2 * i)) & 3u), 1);
                ++pc;
                break;
            }
            case PatternKind::Value:
                writeValue(wordValue(w), 1);
                ++pc;
                break;
            case PatternKind::Count:
                if (pc + 1 < count_ && wordKind(words_[pc + 1]) == PatternKind::Value) {
                    const std::int64_t n = stretchOf(wordValue(w));
                    if (!spend(static_cast<std::uint64_t>(n)))
                        return kLoopTooComplex;
                    writeValue(wordValue(words_[pc + 1]), n);
                    pc += 2;
                } else {
                    ++pc;
                }
                break;
            case PatternKind::Or:
            case PatternKind::Xor:
                combine(wordKind(w), wordValue(w));
                if (wordField(w) != 0)
                    advance(1);
                ++pc;
                break;
            case PatternKind::Mask:
                mask_ = wordValue(w);
                ++pc;
                break;
            case PatternKind::LoopEnd:
                if (const ErrorCode e = loopEnd(pc); e != kOk)
                    return e;
                break;
            case PatternKind::NewTrack:
                current_ = target_.first;
                left_ = target_.length;
                ++pc;
                break;
            case PatternKind::End:
                return kOk;
            default:
                return kUnknownPatternWord;
            }
        }
    }

private:
    bool spend(std::uint64_t units) {
        work_ += units;
        return work_ <= workLimit_;
    }

    // The track is full: on to the next new-track or end word, leaving every
    // loop passed on the way with its counter at 0.
    bool skipToTrackEnd(std::size_t& pc) {
        for (; pc < count_; ++pc) {
            const PatternKind k = wordKind(words_[pc]);
            if (k == PatternKind::NewTrack || k == PatternKind::End)
                return true;
            if (k == PatternKind::LoopEnd)
                words_[pc] = withValue(words_[pc], 0);
        }
        return false;
    }

    // A run length of 0, or one beyond the track, means the rest of the track.
    std::int64_t stretchOf(unsigned length) const {
        return length != 0 && length < left_ ? std::int64_t{length} : left_;
    }

    void advance(std::int64_t n) {
        current_ += n;
        left_ -= n;
    }

    // Applies fn to the next n samples of the track that lie in the memory.
    template <class Fn> void forSamples(std::int64_t n, Fn fn) {
        const auto size = static_cast<std::int64_t>(target_.memorySize);
        const std::int64_t lo = std::clamp<std::int64_t>(current_, 0, size);
        const std::int64_t hi = std::clamp<std::int64_t>(current_ + n, lo, size);
        for (std::int64_t i = lo; i < hi; ++i) {
            auto& s = target_.samples[i];
            s = static_cast<std::int16_t>(fn(static_cast<std::uint16_t>(s)));
        }
        advance(n);
    }

    void applyLetter(Letter letter, std::int64_t n) {
        const unsigned m = mask_;
        switch (letter) {
        case Letter::High:
            forSamples(n, [m](unsigned s) { return s | m; });
            break;
        case Letter::Low:
            forSamples(n, [m](unsigned s) { return s & ~m; });
            break;
        case Letter::Invert:
            forSamples(n, [m](unsigned s) { return s ^ m; });
            break;
        case Letter::Keep:
            advance(n);
            break;
        }
    }

    void writeValue(unsigned value, std::int64_t n) {
        const unsigned m = mask_;
        forSamples(n, [m, value](unsigned s) { return (s & ~m) | (value & m); });
    }

    // OR or XOR into the current sample without moving on.
    void combine(PatternKind kind, unsigned bits) {
        const unsigned v = bits & mask_;
        const std::int64_t keep = current_;
        const std::int64_t keepLeft = left_;
        if (kind == PatternKind::Or)
            forSamples(1, [v](unsigned s) { return s | v; });
        else
            forSamples(1, [v](unsigned s) { return s ^ v; });
        current_ = keep;
        left_ = keepLeft;
    }

    ErrorCode loopEnd(std::size_t& pc) {
        const std::uint32_t w = words_[pc];
        const std::size_t distance = wordField(w);
        if (distance == 0 || distance > pc ||
            wordKind(words_[pc - distance]) != PatternKind::LoopHead)
            return kUnknownPatternWord;
        const std::size_t head = pc - distance;
        const unsigned repeats = wordValue(words_[head]);
        // Each loop end keeps its own progress mark, so that an inner loop
        // finishing does not make its enclosing loop look idle.
        if (repeats == 0 && current_ == marks_[pc])
            return kPatternSyntax;
        marks_[pc] = current_;
        if (repeats == 0) {
            pc = head + 1;
            return kOk;
        }
        const unsigned done = wordValue(w) + 1;
        if (done < repeats) {
            words_[pc] = withValue(w, done);
            pc = head + 1;
        } else {
            words_[pc] = withValue(w, 0);
            ++pc;
        }
        return kOk;
    }

    std::uint32_t* words_;
    std::size_t count_;
    const PatternTarget& target_;
    std::int64_t current_;
    std::int64_t left_;
    unsigned mask_ = 0xFFFFu;
    std::vector<std::int64_t> marks_; // progress mark of each loop end, by word index
    std::uint64_t workLimit_;
    std::uint64_t work_ = 0;
};

} // namespace

ErrorCode executePattern(std::uint32_t* words, std::size_t count, const PatternTarget& target) {
    return PatternRun(words, count, target).execute();
}

} // namespace formula32
