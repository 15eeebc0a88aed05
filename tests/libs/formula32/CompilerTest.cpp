// The compiled form: slot layout, postfix order, constant folding, the header
// length and the buffer limits.
#include "Formula32TestSupport.h"

#include "BuiltinFunctions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace formula32;
using namespace formula32::test;

namespace {

struct Expected {
    SlotKind kind;
    int first = 0;
    int second = 0;
    double value = 0;
};

class Compiler : public ::testing::Test {
protected:
    Compilation compileText(const std::string& text, std::size_t bytes = kLibraryCodeBytes) {
        return compile(text.c_str(), 0, box.code.data(), bytes, box.context());
    }
    // The slots between header and end slot.
    void expectBody(const std::string& text, const std::vector<Expected>& body) {
        const Compilation c = compileText(text);
        ASSERT_EQ(c.error, kOk) << text;
        ASSERT_EQ(c.bytes, (body.size() + 2) * kSlotBytes) << text;
        EXPECT_EQ(box.code[0].kind, 1484);
        EXPECT_EQ(box.code[0].first, static_cast<int>(c.bytes)) << "header holds the length";
        for (std::size_t i = 0; i < body.size(); ++i) {
            const CodeSlot& s = box.code[i + 1];
            EXPECT_EQ(s.slotKind(), body[i].kind) << text << " slot " << i + 1;
            if (body[i].kind == SlotKind::Constant) {
                EXPECT_EQ(s.value, body[i].value) << text << " slot " << i + 1;
            } else {
                EXPECT_EQ(s.first, body[i].first) << text << " slot " << i + 1;
            }
            if (body[i].kind == SlotKind::Operator || body[i].kind == SlotKind::Call) {
                EXPECT_EQ(s.second, body[i].second) << text << " slot " << i + 1;
            }
        }
        EXPECT_EQ(box.code[body.size() + 1].kind, 5) << "end slot";
    }
    static Expected constant(double v) { return {SlotKind::Constant, 0, 0, v}; }
    static Expected x() { return {SlotKind::Variable, 0}; }
    static Expected op(Operator o) {
        return {SlotKind::Operator, static_cast<int>(o), operandCount(o)};
    }
    static Expected call(FunctionRow r, int n) { return {SlotKind::Call, static_cast<int>(r), n}; }

    Sandbox box;
};

TEST_F(Compiler, SlotIsSixteenBytesWithKindFirst) {
    const CodeSlot s = CodeSlot::constant(2.5);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&s);
    EXPECT_EQ(sizeof s, 16u);
    EXPECT_EQ(bytes[0] | (bytes[1] << 8), 3) << "kind as a little-endian 16-bit integer";
}

TEST_F(Compiler, PostfixOrderWithOperatorCodes) {
    expectBody("x*2+1", {x(), constant(2), op(Operator::Multiply), constant(1), op(Operator::Add)});
    expectBody("x||x&&x", {x(), x(), x(), op(Operator::And), op(Operator::Or)});
    expectBody("-x", {x(), op(Operator::Negate)});
    expectBody("!x<=x", {x(), op(Operator::Not), x(), op(Operator::LessEqual)});
    expectBody("+x", {x()});
    expectBody("x-x/x^x", {x(), x(), x(), x(), op(Operator::Power), op(Operator::Divide),
                           op(Operator::Subtract)});
    EXPECT_EQ(static_cast<int>(Operator::Or), 0);
    EXPECT_EQ(static_cast<int>(Operator::Not), 14);
}

TEST_F(Compiler, CallsNameTheChosenRowFromZero) {
    expectBody("sin(x)", {x(), call(FunctionRow::Sin, 1)});
    expectBody("tri(x)", {x(), call(FunctionRow::TriDefault, 1)});
    expectBody("tri(x,x)", {x(), x(), call(FunctionRow::Tri, 2)});
    expectBody("sqw(x)", {x(), call(FunctionRow::SqwDefault, 1)});
    expectBody("sqw(x,30)", {x(), constant(30), call(FunctionRow::SqwNoTransition, 2)});
    expectBody("sqw(x,30,5)", {x(), constant(30), constant(5), call(FunctionRow::Sqw, 3)});
    expectBody("rnd(x)", {x(), call(FunctionRow::Rnd, 1)});
    EXPECT_EQ(static_cast<int>(FunctionRow::TriDefault), 11);
    EXPECT_EQ(static_cast<int>(FunctionRow::SqwNoTransition), 14);
    EXPECT_EQ(static_cast<int>(FunctionRow::Rnd), 15);
}

TEST_F(Compiler, FoldsOnlyWhereAllOperandsAreConstant) {
    expectBody("2*pi*x", {constant(2 * 3.1415926535898), x(), op(Operator::Multiply)});
    expectBody("x*2*pi", {x(), constant(2), op(Operator::Multiply), constant(3.1415926535898),
                          op(Operator::Multiply)});
    expectBody("-2^2", {constant(4)});
    expectBody("2^3^2", {constant(64)});
    expectBody("sin(0)+x", {constant(0), x(), op(Operator::Add)});
    expectBody("sqw(x,10*5,2+3)", {x(), constant(50), constant(5), call(FunctionRow::Sqw, 3)});
    expectBody("power(3,4)*(1<2)", {constant(5)});
    expectBody("x+(1+2)", {x(), constant(3), op(Operator::Add)});
    expectBody("x+1+2", {x(), constant(1), op(Operator::Add), constant(2), op(Operator::Add)});
}

TEST_F(Compiler, RndWithAConstantArgumentIsDrawnOnceAtCompileTime) {
    box.random.seed(77);
    RandomGenerator reference;
    reference.seed(77);
    const double first = reference.value();
    expectBody("rnd(0)", {constant(first)});
    EXPECT_EQ(box.random.state(), reference.state()) << "exactly one value drawn";
    expectBody("rnd(x)*2", {x(), call(FunctionRow::Rnd, 1), constant(2), op(Operator::Multiply)});
    EXPECT_EQ(box.random.state(), reference.state()) << "rnd(x) draws nothing while compiling";
}

TEST_F(Compiler, FailureLeavesHeaderLengthZero) {
    compileText("x+1");
    const Compilation c = compileText("x+1/0");
    EXPECT_EQ(c.error, kDivideByZero);
    EXPECT_EQ(c.position, 5u);
    EXPECT_EQ(c.bytes, 0u);
    EXPECT_EQ(box.code[0].kind, 1484);
    EXPECT_EQ(box.code[0].first, 0);
}

TEST_F(Compiler, BufferCapacity) {
    EXPECT_EQ(compileText("1", 31).error, kBufferInsufficient) << "fewer than 32 bytes";
    EXPECT_EQ(compileText("1", 31).position, 0u);
    EXPECT_EQ(compileText("1", 47).error, kBufferInsufficient) << "two slots: no room for 1";
    EXPECT_EQ(compileText("1", 48).error, kOk);
    EXPECT_EQ(compileText("2*3+1", 48).error, kOk) << "folding keeps it at one constant";
    EXPECT_EQ(compileText("1+2*3", 48).error, kBufferInsufficient) << "3 needs a fourth slot";
    // Header, x, 1, + and the end need five slots; 79 bytes hold four.
    const Compilation c = compileText("x + 1 ", 79);
    EXPECT_EQ(c.error, kBufferInsufficient);
    EXPECT_EQ(c.position, 6u) << "the position parsing had reached";
    EXPECT_EQ(compileText("x + 1 ", 80).error, kOk);
}

TEST_F(Compiler, LibraryBufferHolds1024Slots) {
    // -x+x+...: 2n slots for n terms, plus header and end.
    auto terms = [](int n) {
        std::string s = "-x";
        for (int i = 1; i < n; ++i)
            s += "+x";
        return s;
    };
    EXPECT_EQ(compileText(terms(511)).error, kOk);
    EXPECT_EQ(compileText(terms(511)).bytes, kLibraryCodeBytes);
    EXPECT_EQ(compileText(terms(512)).error, kBufferInsufficient);
}

TEST_F(Compiler, HeaderLengthStaysWithinSixteenBits) {
    std::vector<CodeSlot> big(4096);
    std::string s = "x";
    for (int i = 0; i < 2000; ++i)
        s += "+x";
    const Compilation c = compile(s.c_str(), 0, big.data(), big.size() * kSlotBytes, box.context());
    EXPECT_EQ(c.error, kBufferInsufficient) << "more than 32767 bytes cannot be described";
}

} // namespace
