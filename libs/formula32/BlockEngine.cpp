#include "BlockEngine.h"

#include "BlockKernels.h"
#include "RandomGenerator.h"
#include "SampleCode.h"
#include "StackMachine.h"
#include "VariableTable.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace formula32 {
namespace {

using Kernel = BlockEngine::Kernel;
using Operand = BlockEngine::Operand;
using Source = Operand::Source;
using namespace kernels;

template <class Op> Kernel unaryKernel(bool c) {
    return c ? &unary<Op, true> : &unary<Op, false>;
}

template <class Op> Kernel binaryKernel(bool cl, bool cr) {
    if (cl)
        return cr ? &binary<Op, true, true> : &binary<Op, true, false>;
    return cr ? &binary<Op, false, true> : &binary<Op, false, false>;
}

Kernel operatorKernel(Operator op, bool cl, bool cr) {
    switch (op) {
    case Operator::Or:
        return binaryKernel<OrOp>(cl, cr);
    case Operator::And:
        return binaryKernel<AndOp>(cl, cr);
    case Operator::Equal:
        return binaryKernel<EqualOp>(cl, cr);
    case Operator::NotEqual:
        return binaryKernel<NotEqualOp>(cl, cr);
    case Operator::Greater:
        return binaryKernel<GreaterOp>(cl, cr);
    case Operator::GreaterEqual:
        return binaryKernel<GreaterEqualOp>(cl, cr);
    case Operator::Less:
        return binaryKernel<LessOp>(cl, cr);
    case Operator::LessEqual:
        return binaryKernel<LessEqualOp>(cl, cr);
    case Operator::Add:
        return binaryKernel<AddOp>(cl, cr);
    case Operator::Subtract:
        return binaryKernel<SubtractOp>(cl, cr);
    case Operator::Multiply:
        return binaryKernel<MultiplyOp>(cl, cr);
    case Operator::Divide: // a constant divisor is handled before
        return cl ? &divideChecked<true> : &divideChecked<false>;
    case Operator::Power:
        return binaryKernel<PowerOp>(cl, cr);
    case Operator::Negate:
        return unaryKernel<NegateOp>(cl);
    case Operator::Not:
        return unaryKernel<NotOp>(cl);
    }
    return nullptr;
}

Kernel callKernel(FunctionRow row, bool c0, bool c1) {
    switch (row) {
    case FunctionRow::Sin:
        return unaryKernel<SinOp>(c0);
    case FunctionRow::Cos:
        return unaryKernel<CosOp>(c0);
    case FunctionRow::Tan:
        return unaryKernel<TanOp>(c0);
    case FunctionRow::Atn:
        return unaryKernel<AtnOp>(c0);
    case FunctionRow::Sqr:
        return unaryKernel<SqrOp>(c0);
    case FunctionRow::Exp:
        return unaryKernel<ExpOp>(c0);
    case FunctionRow::Log:
        return unaryKernel<LogOp>(c0);
    case FunctionRow::Log10:
        return unaryKernel<Log10Op>(c0);
    case FunctionRow::Power:
        return binaryKernel<MagnitudeOp>(c0, c1);
    case FunctionRow::Phase:
        return binaryKernel<PhaseOp>(c0, c1);
    case FunctionRow::Tri:
        return binaryKernel<TriangleOp>(c0, c1);
    case FunctionRow::TriDefault:
        return unaryKernel<TriangleDefaultOp>(c0);
    case FunctionRow::Sqw:
        return &square;
    case FunctionRow::SqwDefault:
        return unaryKernel<SquareDefaultOp>(c0);
    case FunctionRow::SqwNoTransition:
        return binaryKernel<SquareNoTransitionOp>(c0, c1);
    case FunctionRow::Rnd: // drawn ahead of the block, no kernel
        break;
    }
    return nullptr;
}

// A divisor that is a power of two has an exact reciprocal; multiplying by it
// gives the same correctly rounded result as dividing, for every dividend.
bool exactReciprocal(double d, double& reciprocal) {
    if (!std::isfinite(d) || d == 0)
        return false;
    int exponent = 0;
    if (std::fabs(std::frexp(d, &exponent)) != 0.5)
        return false;
    reciprocal = 1.0 / d;
    return std::isnormal(reciprocal);
}

} // namespace

bool BlockEngine::prepare(const CodeSlot* code, std::size_t bytes, const VariableTable& variables,
                          const double* sampleIndex) {
    steps_.clear();
    constants_.clear();
    registerCount_ = 0;
    randomCount_ = 0;
    const std::size_t slots = bytes / kSlotBytes;
    if (slots == 0 || code[0].slotKind() != SlotKind::Header)
        return false;
    if (!translate(code, slots, variables, sampleIndex))
        return false;
    registers_.assign(registerCount_ * kBlockSize, 0.0);
    sampleIndexBlock_.assign(kBlockSize, 0.0);
    randomBlocks_.assign(randomCount_ * kBlockSize, 0.0);
    for (Step& step : steps_) {
        step.result = &registers_[step.resultRegister * kBlockSize];
        for (std::size_t i = 0; i < step.operands; ++i)
            resolve(step.in[i]);
    }
    resolve(result_);
    return true;
}

bool BlockEngine::translate(const CodeSlot* code, std::size_t slots, const VariableTable& variables,
                            const double* sampleIndex) {
    std::vector<Operand> stack;
    const auto constant = [this](double v) {
        constants_.push_back(v);
        return Operand{Source::Constant, constants_.size() - 1};
    };
    // The result of a step lives in the register of its lowest operand's
    // stack position.
    const auto addStep = [&](Kernel kernel, std::size_t operands) {
        Step step{kernel, stack.size() - operands};
        std::copy(stack.end() - static_cast<std::ptrdiff_t>(operands), stack.end(),
                  step.in.begin());
        step.operands = operands;
        step.randomBefore = randomCount_;
        steps_.push_back(step);
        stack.resize(stack.size() - operands);
        stack.push_back({Source::Register, step.resultRegister});
        registerCount_ = std::max(registerCount_, step.resultRegister + 1);
    };
    for (std::size_t i = 1; i < slots; ++i) {
        const CodeSlot& s = code[i];
        switch (s.slotKind()) {
        case SlotKind::Constant:
        case SlotKind::Variable: {
            if (stack.size() == kStackCapacity)
                return false;
            if (s.slotKind() == SlotKind::Constant) {
                stack.push_back(constant(s.value));
                break;
            }
            if (s.first < 0 || static_cast<std::size_t>(s.first) >= variables.size())
                return false;
            const double* ref = variables.reference(static_cast<std::size_t>(s.first));
            stack.push_back(ref == sampleIndex ? Operand{Source::SampleIndex, 0} : constant(*ref));
            break;
        }
        case SlotKind::Operator: {
            if (s.first < 0 || s.first >= kOperatorCount)
                return false;
            const auto op = static_cast<Operator>(s.first);
            const auto n = static_cast<std::size_t>(operandCount(op));
            if (s.second != static_cast<int>(n) || stack.size() < n)
                return false;
            const bool cl = stack[stack.size() - n].isConstant();
            const bool cr = stack.back().isConstant();
            if (op == Operator::Divide && cr) {
                const double divisor = constants_[stack.back().index];
                double reciprocal = 0;
                if (divisor == 0) {
                    addStep(&divideByZero, 2);
                } else if (exactReciprocal(divisor, reciprocal)) {
                    stack.back() = constant(reciprocal);
                    addStep(binaryKernel<MultiplyOp>(cl, true), 2);
                } else {
                    addStep(binaryKernel<DivideOp>(cl, true), 2);
                }
                break;
            }
            addStep(operatorKernel(op, cl, cr), n);
            break;
        }
        case SlotKind::Call: {
            if (s.first < 0 || s.first >= kFunctionRowCount)
                return false;
            const auto n = static_cast<std::size_t>(functionInfo(s.first).arguments);
            if (s.second != static_cast<int>(n) || stack.size() < n)
                return false;
            const auto row = static_cast<FunctionRow>(s.first);
            if (row == FunctionRow::Rnd) {
                stack.back() = {Source::Random, randomCount_++}; // its argument is ignored
                break;
            }
            const bool c0 = stack[stack.size() - n].isConstant();
            const bool c1 = n > 1 && stack[stack.size() - n + 1].isConstant();
            addStep(callKernel(row, c0, c1), n);
            break;
        }
        case SlotKind::End:
            if (stack.empty())
                return false;
            result_ = stack.back();
            return true;
        default:
            return false;
        }
    }
    return false;
}

void BlockEngine::resolve(Operand& operand) {
    switch (operand.source) {
    case Source::Constant:
        operand.data = &constants_[operand.index];
        break;
    case Source::Register:
        operand.data = &registers_[operand.index * kBlockSize];
        break;
    case Source::SampleIndex:
        operand.data = sampleIndexBlock_.data();
        break;
    case Source::Random:
        operand.data = &randomBlocks_[operand.index * kBlockSize];
        break;
    }
}

void BlockEngine::drawRandomBlock(RandomGenerator& random, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t r = 0; r < randomCount_; ++r)
            randomBlocks_[r * kBlockSize + i] = random.value();
}

void BlockEngine::rewindRandom(RandomGenerator& random, std::size_t lane,
                               const Step& failed) const {
    random.seed(blockStartState_);
    const std::size_t draws = lane * randomCount_ + failed.randomBefore;
    for (std::size_t i = 0; i < draws; ++i)
        random.value();
}

namespace {

// 0, 1, 2, ... as doubles: a block's sample indices are its base plus these.
const std::array<double, BlockEngine::kBlockSize>& laneOffsets() {
    static const auto offsets = [] {
        std::array<double, BlockEngine::kBlockSize> o{};
        for (std::size_t i = 0; i < o.size(); ++i)
            o[i] = static_cast<double>(i);
        return o;
    }();
    return offsets;
}

// Sample codes of a whole block of results, as toSampleCode gives them.
void convertBlock(const double* v, std::int16_t* codes) {
#if defined(__SSE2__)
    // The conversion's integer "indefinite" value, which NaN and huge negative
    // values give, saturates to -32768 when packed to 16 bits, as do the other
    // values below -32768; what is left is the band just above -32768.
    const __m128d high = _mm_set1_pd(32767.0);
    const __m128d band = _mm_set1_pd(-32767.5);
    const __m128d lowest = _mm_set1_pd(-32768.0);
    const auto limit = [&](__m128d x) {
        x = _mm_min_pd(high, x); // keeps NaN
        const __m128d below = _mm_cmplt_pd(x, band);
        return _mm_or_pd(_mm_and_pd(below, lowest), _mm_andnot_pd(below, x));
    };
    for (std::size_t i = 0; i < BlockEngine::kBlockSize; i += 4) {
        const __m128i lo = _mm_cvttpd_epi32(limit(_mm_loadu_pd(v + i)));
        const __m128i hi = _mm_cvttpd_epi32(limit(_mm_loadu_pd(v + i + 2)));
        const __m128i four = _mm_unpacklo_epi64(lo, hi);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(codes + i), _mm_packs_epi32(four, four));
    }
#else
    for (std::size_t i = 0; i < BlockEngine::kBlockSize; ++i)
        codes[i] = toSampleCode(v[i]);
#endif
}

// Stores the sample codes of the first n lanes of a result.
void storeCodes(const BlockEngine::Operand& result, std::size_t n, std::int16_t* out) {
    if (result.isConstant()) {
        std::fill(out, out + n, toSampleCode(result.data[0]));
        return;
    }
    std::array<std::int16_t, BlockEngine::kBlockSize> codes;
    convertBlock(result.data, codes.data());
    std::copy(codes.begin(), codes.begin() + static_cast<std::ptrdiff_t>(n), out);
}

} // namespace

ErrorCode BlockEngine::run(std::int64_t first, std::size_t count, std::int16_t* out,
                           RandomGenerator& random) {
    double* x = sampleIndexBlock_.data();
    const auto& offsets = laneOffsets();
    for (std::size_t done = 0; done < count; done += kBlockSize) {
        const std::size_t n = std::min(kBlockSize, count - done);
        const auto base = static_cast<double>(first + static_cast<std::int64_t>(done));
        for (std::size_t i = 0; i < kBlockSize; ++i)
            x[i] = base + offsets[i]; // exact: whole numbers far below 2^53
        // Sample by sample, each rnd call in slot order: the sequence that
        // one-at-a-time execution draws.
        blockStartState_ = random.state();
        if (randomCount_ > 0)
            drawRandomBlock(random, n);
        std::size_t failedLane = n;
        const Step* failed = nullptr;
        for (const Step& step : steps_) {
            const std::size_t lane = step.kernel(step, n);
            if (lane < failedLane) { // a later slot failing on the same lane comes second
                failedLane = lane;
                failed = &step;
            }
        }
        storeCodes(result_, failedLane, out + done);
        if (failed) {
            rewindRandom(random, failedLane, *failed);
            return kDivideByZero;
        }
    }
    return kOk;
}

} // namespace formula32
