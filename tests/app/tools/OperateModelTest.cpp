// The Operate window's model: the arithmetic in physical units of the
// output range, the operand from the clipboard, OK with its undo backup.
#include "OperateModel.h"

#include "MemoryClipboard.h"
#include "ToolFixture.h"
#include "Units.h"

#include <string>

namespace {

using zw::OperateModel;
using zw::Operation;
using zw::Units;
using zw::UnitSetting;
using zwtest::Codes;
using zwtest::Fill;

// Codes as they are: the output range is -32767 .. 32767, symmetric.
Units codeUnits() {
    return Units(UnitSetting{});
}

// Volts, 20 V peak to peak without offset: codes +-32767 are +-10 V.
Units tenVolts() {
    UnitSetting s;
    s.YUnit = 1;
    s.Amplitude = 20.0;
    s.WaveLength = 1000;
    return Units(s);
}

std::string repeated(const std::string& number, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += number + "\n";
    return text;
}

class Operate : public zwtest::ToolDocument {
protected:
    zwtest::MemoryClipboard clipboard;
};

TEST_F(Operate, TheStretchAndTheRangeComeFromTheMarkersAndTheUnits) {
    const OperateModel model(doc, tenVolts());
    ASSERT_TRUE(model.ready());
    EXPECT_EQ(model.start(), 100);
    EXPECT_EQ(model.length(), 100);
    EXPECT_DOUBLE_EQ(model.rangeMin(), -10.0);
    EXPECT_DOUBLE_EQ(model.rangeMax(), 10.0);
    EXPECT_EQ(Codes(model.operandMemory(), 0, 100), std::vector<int16_t>(100, 0));
    EXPECT_EQ(Codes(model.resultMemory(), 0, 100), std::vector<int16_t>(100, 0));
}

TEST_F(Operate, ProductOfTwoTenVoltStretchesIsLimitedToFullScale) {
    Fill(doc.current(), 1000, [](int) { return int16_t{32767}; });
    OperateModel model(doc, tenVolts());
    clipboard.text = repeated("32767", 100);
    ASSERT_EQ(model.loadOperandFromClipboard(clipboard.get()), 0);
    model.setOperation(Operation::Multiply);
    model.computeResult();
    EXPECT_EQ(Codes(model.resultMemory(), 0, 100), std::vector<int16_t>(100, 32767));
}

TEST_F(Operate, DivisionByZeroVoltsGivesCodeZero) {
    Fill(doc.current(), 1000, [](int i) { return static_cast<int16_t>(1000 + i); });
    OperateModel model(doc, tenVolts());
    model.setOperation(Operation::Divide); // the operand is still flat at 0 V
    model.computeResult();
    EXPECT_EQ(Codes(model.resultMemory(), 0, 100), std::vector<int16_t>(100, 0));
}

TEST_F(Operate, SumAndDifferenceInASymmetricRange) {
    Fill(doc.current(), 1000, [](int) { return int16_t{1000}; });
    OperateModel model(doc, codeUnits());
    clipboard.text = repeated("2000", 100);
    ASSERT_EQ(model.loadOperandFromClipboard(clipboard.get()), 0);
    model.computeResult();
    EXPECT_EQ(Codes(model.resultMemory(), 0, 100), std::vector<int16_t>(100, 3000));
    model.setOperation(Operation::Subtract);
    model.computeResult();
    EXPECT_EQ(Codes(model.resultMemory(), 0, 100), std::vector<int16_t>(100, -1000));
    // Nothing reaches the document before OK.
    EXPECT_EQ(Codes(doc.current(), 100, 100), std::vector<int16_t>(100, 1000));
    EXPECT_TRUE(doc.UndoMenuOff());
}

TEST_F(Operate, OkWithoutResultWritesZerosAndUndoRestores) {
    Fill(doc.current(), 1000, [](int i) { return static_cast<int16_t>(i + 1); });
    const std::vector<int16_t> before = all();
    {
        OperateModel model(doc, codeUnits());
        model.commit();
    }
    std::vector<int16_t> expected = before;
    std::fill(expected.begin() + 100, expected.begin() + 200, int16_t{0});
    EXPECT_EQ(all(), expected);
    doc.toggleUndo();
    EXPECT_EQ(all(), before);
}

TEST_F(Operate, OkWritesTheResultOverTheStretchOnly) {
    Fill(doc.current(), 1000, [](int) { return int16_t{10}; });
    OperateModel model(doc, codeUnits());
    clipboard.text = repeated("5", 100);
    ASSERT_EQ(model.loadOperandFromClipboard(clipboard.get()), 0);
    model.computeResult();
    model.commit();
    const std::vector<int16_t> after = all();
    EXPECT_EQ(after[99], 10);
    EXPECT_EQ(after[100], 15);
    EXPECT_EQ(after[199], 15);
    EXPECT_EQ(after[200], 10);
}

TEST_F(Operate, AShortClipboardFillsTheRestOfTheOperandWithZero) {
    OperateModel model(doc, codeUnits());
    clipboard.text = repeated("7", 100);
    ASSERT_EQ(model.loadOperandFromClipboard(clipboard.get()), 0);
    clipboard.text = "1 2 3";
    ASSERT_EQ(model.loadOperandFromClipboard(clipboard.get()), 0);
    std::vector<int16_t> expected(100, 0);
    expected[0] = 1;
    expected[1] = 2;
    expected[2] = 3;
    EXPECT_EQ(Codes(model.operandMemory(), 0, 100), expected);
}

TEST_F(Operate, ALongClipboardGivesAtMostTheStretchLength) {
    OperateModel model(doc, codeUnits());
    clipboard.text = repeated("9", 150);
    ASSERT_EQ(model.loadOperandFromClipboard(clipboard.get()), 0);
    EXPECT_EQ(Codes(model.operandMemory(), 0, 100), std::vector<int16_t>(100, 9));
}

TEST_F(Operate, AClipboardWithoutNumbersOrClosedKeepsTheOperand) {
    OperateModel model(doc, codeUnits());
    clipboard.text = repeated("4", 100);
    ASSERT_EQ(model.loadOperandFromClipboard(clipboard.get()), 0);
    clipboard.text = "no numbers here";
    EXPECT_EQ(model.loadOperandFromClipboard(clipboard.get()), 81);
    clipboard.text.reset();
    EXPECT_EQ(model.loadOperandFromClipboard(clipboard.get()), 81);
    clipboard.text = "1";
    clipboard.refuseOpen = true;
    EXPECT_EQ(model.loadOperandFromClipboard(clipboard.get()), 81);
    EXPECT_EQ(Codes(model.operandMemory(), 0, 100), std::vector<int16_t>(100, 4));
}

TEST_F(Operate, AnEmptyStretchChangesNothing) {
    doc.setMarkersOfBoth({300, 300});
    Fill(doc.current(), 1000, [](int i) { return static_cast<int16_t>(i); });
    const std::vector<int16_t> before = all();
    OperateModel model(doc, codeUnits());
    ASSERT_TRUE(model.ready());
    EXPECT_EQ(model.length(), 0);
    clipboard.text = "5";
    model.loadOperandFromClipboard(clipboard.get());
    model.computeResult();
    model.commit();
    EXPECT_EQ(all(), before);
    EXPECT_TRUE(doc.UndoMenuOff());
}

TEST_F(Operate, AOneSampleStretchAtTheEndOfTheMemory) {
    doc.setMarkersOfBoth({999, 1000});
    Fill(doc.current(), 1000, [](int) { return int16_t{100}; });
    OperateModel model(doc, codeUnits());
    clipboard.text = "20";
    ASSERT_EQ(model.loadOperandFromClipboard(clipboard.get()), 0);
    model.computeResult();
    model.commit();
    const std::vector<int16_t> after = all();
    EXPECT_EQ(after[998], 100);
    EXPECT_EQ(after[999], 120);
}

TEST_F(Operate, AResultLandsWhereItsStretchWasReadBetweenSamples) {
    doc.setMarkersOfBoth({10.4, 20.4});
    Fill(doc.current(), 1000, [](int i) { return static_cast<int16_t>(i); });
    OperateModel model(doc, codeUnits());
    EXPECT_EQ(model.start(), 11);
    EXPECT_EQ(model.length(), 10);
    model.computeResult(); // + an operand of zeros: the stretch itself
    model.commit();
    EXPECT_EQ(all(), Codes(doc.EditMemory(1 - doc.CurrentMemory()), 0, 1000));
}

} // namespace
