#include "StackMachine.h"

#include "BuiltinFunctions.h"
#include "Operators.h"
#include "VariableTable.h"

#include <array>

namespace formula32 {
namespace {

class ValueStack {
public:
    bool push(double v) {
        if (size_ == kStackCapacity)
            return false;
        values_[size_++] = v;
        return true;
    }
    bool has(std::size_t n) const { return size_ >= n; }
    // The value n places below the top (0 is the top); has(n + 1) must hold.
    double below(std::size_t n) const { return values_[size_ - 1 - n]; }
    void drop(std::size_t n) { size_ -= n; }

private:
    std::array<double, kStackCapacity> values_;
    std::size_t size_ = 0;
};

bool validOperator(const CodeSlot& s) {
    return s.first >= 0 && s.first < kOperatorCount &&
           s.second == operandCount(static_cast<Operator>(s.first));
}

bool validCall(const CodeSlot& s) {
    return s.first >= 0 && s.first < kFunctionRowCount &&
           s.second == functionInfo(s.first).arguments;
}

} // namespace

ErrorCode runCode(const CodeSlot* code, std::size_t bytes, const VariableTable& variables,
                  RandomGenerator& random, double& result) {
    const std::size_t slots = bytes / kSlotBytes;
    if (slots == 0 || code[0].slotKind() != SlotKind::Header)
        return kNotCompiled;
    ValueStack stack;
    for (std::size_t i = 1; i < slots; ++i) {
        const CodeSlot& s = code[i];
        switch (s.slotKind()) {
        case SlotKind::Constant:
            if (!stack.push(s.value))
                return kInsufficientMemory;
            break;
        case SlotKind::Variable:
            if (s.first < 0 || static_cast<std::size_t>(s.first) >= variables.size())
                return kUnknownSlot;
            if (!stack.push(*variables.reference(static_cast<std::size_t>(s.first))))
                return kInsufficientMemory;
            break;
        case SlotKind::Operator: {
            if (!validOperator(s))
                return kUnknownSlot;
            const auto op = static_cast<Operator>(s.first);
            const auto n = static_cast<std::size_t>(s.second);
            if (!stack.has(n))
                return kInsufficientMemory;
            double v = 0;
            if (n == 1) {
                v = applyUnary(op, stack.below(0));
            } else if (const ErrorCode e = applyBinary(op, stack.below(1), stack.below(0), v);
                       e != kOk) {
                return e;
            }
            stack.drop(n);
            stack.push(v);
            break;
        }
        case SlotKind::Call: {
            if (!validCall(s))
                return kUnknownSlot;
            const auto n = static_cast<std::size_t>(s.second);
            if (!stack.has(n))
                return kInsufficientMemory;
            std::array<double, kMaxArguments> args{};
            for (std::size_t a = 0; a < n; ++a)
                args[a] = stack.below(n - 1 - a);
            stack.drop(n);
            stack.push(callFunction(s.first, args.data(), random));
            break;
        }
        case SlotKind::End:
            if (!stack.has(1))
                return kInsufficientMemory;
            result = stack.below(0);
            return kOk;
        default:
            return kUnknownSlot;
        }
    }
    return kUnknownSlot; // no end slot inside the buffer
}

} // namespace formula32
