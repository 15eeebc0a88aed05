// Runs compiled code over blocks of samples: each slot is applied to a whole
// block of x values before the next slot, so the cost of dispatching a slot is
// paid once per block instead of once per sample.
//
// The results are exactly those of the per-sample stack machine: the same
// operations in the same order on every sample, the first failing sample
// found exactly (all samples before it are delivered, none after), and rnd
// drawn sample by sample in slot order, so that an expression with two rnd
// calls takes its draws in the same sequence as one-at-a-time execution.
#ifndef FORMULA32_BLOCKENGINE_H
#define FORMULA32_BLOCKENGINE_H

#include "CodeSlot.h"
#include "ErrorCodes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace formula32 {

class RandomGenerator;
class VariableTable;

class BlockEngine {
public:
    static constexpr std::size_t kBlockSize = 256;

    BlockEngine() = default;
    BlockEngine(const BlockEngine&) = delete;
    BlockEngine& operator=(const BlockEngine&) = delete;

    // Translates the code for block execution. The variable whose storage is
    // `sampleIndex` takes each sample's index; other variables keep the
    // values they have now. False when the code has a fault that makes every
    // sample fail (no header, a slot that cannot be executed, stack overflow
    // or underflow, no end slot): the per-sample machine then reports it.
    bool prepare(const CodeSlot* code, std::size_t bytes, const VariableTable& variables,
                 const double* sampleIndex);

    // Computes the samples for x = first, first + 1, ... into out[0 .. count).
    // On a failure, out holds every sample before the failing one and the
    // generator is where per-sample execution would have left it.
    ErrorCode run(std::int64_t first, std::size_t count, std::int16_t* out,
                  RandomGenerator& random);

    struct Operand {
        enum class Source { Constant, Register, SampleIndex, Random };
        Source source;
        std::size_t index;            // into the constants, registers or rnd blocks
        const double* data = nullptr; // resolved once storage is allocated
        bool isConstant() const { return source == Source::Constant; }
    };
    struct Step;
    // Applies a step to the first n lanes; returns the first failing lane, or n.
    using Kernel = std::size_t (*)(const Step&, std::size_t n);
    struct Step {
        Kernel kernel;
        std::size_t resultRegister;
        double* result = nullptr;
        std::array<Operand, 3> in{};
        std::size_t operands = 0;     // how many of `in` are used
        std::size_t randomBefore = 0; // rnd calls that precede this slot
    };

private:
    bool translate(const CodeSlot* code, std::size_t slots, const VariableTable& variables,
                   const double* sampleIndex);
    void resolve(Operand& operand);
    void drawRandomBlock(RandomGenerator& random, std::size_t n);
    void rewindRandom(RandomGenerator& random, std::size_t lane, const Step& failed) const;

    std::vector<Step> steps_;
    Operand result_{};
    std::vector<double> constants_;
    std::vector<double> registers_;
    std::vector<double> sampleIndexBlock_;
    std::vector<double> randomBlocks_;
    std::size_t registerCount_ = 0;
    std::size_t randomCount_ = 0;
    std::uint32_t blockStartState_ = 0;
};

} // namespace formula32

#endif
