#include "Compiler.h"

#include "BuiltinFunctions.h"
#include "ExpressionParser.h"

#include <algorithm>
#include <array>

namespace formula32 {
namespace {

class SlotWriter {
public:
    // The slots are the value stack: a parsed operand is whatever it wrote.
    struct Value {};
    // A function name without "(" is reported just after the name.
    static constexpr bool kMissingParenthesisAfterName = true;

    SlotWriter(CodeSlot* slots, std::size_t capacity, RandomGenerator& random)
        : slots_(slots), capacity_(capacity), random_(random) {}

    ErrorCode constant(double v, Value&) { return write(CodeSlot::constant(v)); }
    ErrorCode variable(int index, Value&) { return write(CodeSlot::variable(index)); }

    ErrorCode binary(Operator op, const Value&, const Value&, Value&) {
        if (!lastAreConstants(2))
            return write(CodeSlot::operation(op));
        double folded = 0;
        const ErrorCode e =
            applyBinary(op, slots_[count_ - 2].value, slots_[count_ - 1].value, folded);
        if (e != kOk)
            return e;
        return replaceLast(2, folded);
    }

    ErrorCode unary(Operator op, const Value&, Value&) {
        if (!lastAreConstants(1))
            return write(CodeSlot::operation(op));
        return replaceLast(1, applyUnary(op, slots_[count_ - 1].value));
    }

    ErrorCode call(int row, const Value*, int count, Value&) {
        const auto n = static_cast<std::size_t>(count);
        if (!lastAreConstants(n))
            return write(CodeSlot::call(row, count));
        std::array<double, kMaxArguments> args{};
        for (std::size_t i = 0; i < n; ++i)
            args[i] = slots_[count_ - n + i].value;
        return replaceLast(n, callFunction(row, args.data(), random_));
    }

    ErrorCode write(const CodeSlot& slot) {
        if (count_ >= capacity_)
            return kBufferInsufficient;
        slots_[count_++] = slot;
        return kOk;
    }

    std::size_t count() const { return count_; }

private:
    // Operands in postfix order end at the last slot; when the last n slots
    // are constants they are exactly the n operands.
    bool lastAreConstants(std::size_t n) const {
        if (count_ < n + 1) // never reach back into the header
            return false;
        for (std::size_t i = count_ - n; i < count_; ++i)
            if (slots_[i].slotKind() != SlotKind::Constant)
                return false;
        return true;
    }
    ErrorCode replaceLast(std::size_t n, double value) {
        count_ -= n;
        return write(CodeSlot::constant(value));
    }

    CodeSlot* slots_;
    std::size_t capacity_;
    RandomGenerator& random_;
    std::size_t count_ = 0;
};

constexpr std::size_t kMaxHeaderBytes = 32767;

} // namespace

Compilation compile(const char* text, std::size_t position, CodeSlot* buffer,
                    std::size_t bufferBytes, const EvaluationContext& context) {
    if (bufferBytes < kMinimumCodeBytes)
        return {kBufferInsufficient, position, 0};
    const std::size_t capacity = std::min(bufferBytes, kMaxHeaderBytes) / kSlotBytes;
    SlotWriter writer(buffer, capacity, context.random);
    writer.write(CodeSlot::header(0));
    ExpressionParser<SlotWriter> parser(text, position, context.variables, context.constants,
                                        writer);
    SlotWriter::Value result;
    if (!parser.parse(result))
        return {parser.error(), parser.position(), 0};
    if (writer.write(CodeSlot::end()) != kOk)
        return {kBufferInsufficient, parser.position(), 0};
    const std::size_t bytes = writer.count() * kSlotBytes;
    buffer[0] = CodeSlot::header(static_cast<int>(bytes));
    return {kOk, parser.position(), bytes};
}

} // namespace formula32
