// The Operate window's state: the marked stretch of the document combined
// sample by sample with an operand of the same length, in physical units.
// Two private memories of the stretch's length (the operand and the result)
// live as long as the model; the document changes only in commit(), after
// its undo backup.
#ifndef ZW_TOOLS_OPERATEMODEL_H
#define ZW_TOOLS_OPERATEMODEL_H

#include "ScopedWaveMemory.h"
#include "zwplatform.h"

#include <cstdint>
#include <functional>

namespace zw {

class Units;
class WaveDocument;

// The operations of the list Comb_Comp, in its order; the index is the
// operation code of the waveform library.
enum class Operation { Add = 0, Subtract = 1, Multiply = 2, Divide = 3 };

class OperateModel {
public:
    // Takes the marked stretch of the document as it stands and the output
    // range of the current setting (the physical values of codes -32767 and
    // +32767). Both memories start cleared.
    OperateModel(WaveDocument& document, const Units& units);

    // False when a memory could not be had (message 10); the window then
    // closes at once.
    bool ready() const;

    // The stretch: its first sample in the document and its length (the
    // marked length rounded to the nearest whole number, within the used
    // length). A length of 0 leaves nothing to compute or write.
    int32_t start() const { return start_; }
    int32_t length() const { return length_; }
    double rangeMin() const { return min_; }
    double rangeMax() const { return max_; }

    ZwMemHandle operandMemory() const { return operand_.get(); }
    ZwMemHandle resultMemory() const { return result_.get(); }

    // Btn_Cut: the clipboard's numbers become the operand, at most length()
    // of them; samples the clipboard does not reach are 0. A clipboard
    // without a number is refused with 81 and the operand stays; other
    // failures are the clipboard's codes, also with the operand unchanged.
    int32_t loadOperandFromClipboard(ZwClipboardOwner* owner);

    void setOperation(Operation operation) { operation_ = operation; }
    Operation operation() const { return operation_; }

    // Btn_Result: result = stretch (op) operand.
    void computeResult();
    // Btn_OK: the undo backup (the document's own, or `backup` when the
    // caller reports it), then the result memory (zeros until a result was
    // computed) over the stretch. Nothing for an empty stretch.
    void commit(const std::function<void()>& backup = {});

private:
    WaveDocument& document_;
    int32_t start_ = 0;
    int32_t length_ = 0;
    double min_ = -32767.0;
    double max_ = 32767.0;
    Operation operation_ = Operation::Add;
    ScopedWaveMemory operand_;
    ScopedWaveMemory result_;
};

} // namespace zw

#endif // ZW_TOOLS_OPERATEMODEL_H
