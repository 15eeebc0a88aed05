// Error codes of the expression language and the positions they are reported
// at, for both front ends.
#include "Formula32TestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace formula32;
using namespace formula32::test;

namespace {

class ExpressionErrors : public ::testing::Test {
protected:
    // Both front ends fail with the code at the position.
    void expectError(const std::string& text, ErrorCode code, std::size_t at) {
        const Outcome d = box.direct(text.c_str());
        const Outcome c = box.compiled(text.c_str());
        EXPECT_EQ(d.error, code) << "direct: " << text;
        EXPECT_EQ(d.position, at) << "direct: " << text;
        EXPECT_EQ(c.error, code) << "compiled: " << text;
        EXPECT_EQ(c.position, at) << "compiled: " << text;
    }
    Sandbox box;
};

TEST_F(ExpressionErrors, MissingOperandIsSyntaxErrorAtTheToken) {
    expectError("", kSyntaxError, 0);
    expectError("1+", kSyntaxError, 2);
    expectError("1+  ", kSyntaxError, 4);
    expectError("2*(", kSyntaxError, 3);
    expectError("()", kSyntaxError, 1);
    expectError("SIN(x)", kSyntaxError, 0);
    expectError("1+Pi", kSyntaxError, 2);
    expectError("foo", kSyntaxError, 0);
    expectError("_a", kSyntaxError, 0);
    expectError("$", kSyntaxError, 0);
    expectError("$g", kSyntaxError, 0);
    expectError(".", kSyntaxError, 0);
    expectError("rnd()", kSyntaxError, 4);
    expectError("1<>2", kSyntaxError, 2);
    expectError("inf", kSyntaxError, 0);
}

TEST_F(ExpressionErrors, UnbalancedParenthesis) {
    expectError("(1+2", kUnbalancedParenthesis, 4);
    expectError("((1)", kUnbalancedParenthesis, 4);
    expectError("(1 ]", kUnbalancedParenthesis, 3);
}

TEST_F(ExpressionErrors, CallArguments) {
    expectError("sin(1,2)", kLackOfParenthesis, 5);
    expectError("tri(1,2,3)", kLackOfParenthesis, 7);
    expectError("sqw(1,2,3,4)", kLackOfParenthesis, 9);
    expectError("tri(1 2)", kLackOfParenthesis, 6);
    expectError("sin(1", kLackOfParenthesis, 5);
    expectError("power(1)", kArgumentCount, 7);
    expectError("phase(1 ", kArgumentCount, 8);
    expectError("sqw(1,2", kLackOfParenthesis, 7); // two arguments is a variant
    expectError("power(1,)", kSyntaxError, 8);
}

TEST_F(ExpressionErrors, FunctionNameWithoutParenthesisDiffersByFrontEnd) {
    for (const std::string& text :
         {std::string("sin x"), std::string("2+sin"), std::string("log10 ")}) {
        const std::size_t name = text.find_first_of("sl");
        const std::size_t after = text.find_first_of(" ", name) == std::string::npos
                                      ? text.size()
                                      : text.find_first_of(" ", name);
        const Outcome d = box.direct(text.c_str());
        const Outcome c = box.compiled(text.c_str());
        EXPECT_EQ(d.error, kLackOfParenthesis) << text;
        EXPECT_EQ(d.position, name) << "direct reports the start of the name: " << text;
        EXPECT_EQ(c.error, kLackOfParenthesis) << text;
        EXPECT_EQ(c.position, after) << "the compiler reports just after it: " << text;
    }
}

TEST_F(ExpressionErrors, DivisionByZeroWhileParsing) {
    expectError("1/0", kDivideByZero, 3);
    expectError("2+4/(1-1) +7", kDivideByZero, 10);
    expectError("1/sin(0)", kDivideByZero, 8);
}

TEST_F(ExpressionErrors, DivisionByZeroOfAVariableFailsOnlyWhenRun) {
    box.x = 3;
    const Compilation c = compile("1/(x-x)", 0, box.code.data(), sizeof box.code, box.context());
    EXPECT_EQ(c.error, kOk) << "nothing to fold";
    EXPECT_EQ(box.compiled("1/(x-x)").error, kDivideByZero);
    EXPECT_EQ(box.direct("1/(x-x)").error, kDivideByZero);
    EXPECT_EQ(box.compiled("x/0").error, kDivideByZero);
    EXPECT_EQ(box.compiled("0/x").error, kOk) << "0/3";
}

TEST_F(ExpressionErrors, ExpressionStopsAtFirstCharacterThatCannotContinueIt) {
    struct Case {
        const char* text;
        double value;
        std::size_t position;
    } cases[] = {{"3 4", 3, 2}, {"1|2", 1, 1}, {"1&2", 1, 1}, {"1=2", 1, 1},
                 {"2!3", 2, 1}, {"5)", 5, 1},  {"x;", 0, 1},  {"1 ,2", 1, 2}};
    for (const auto& k : cases) {
        for (const Outcome& o : {box.direct(k.text), box.compiled(k.text)}) {
            EXPECT_EQ(o.error, kOk) << k.text;
            EXPECT_EQ(o.value, k.value) << k.text;
            EXPECT_EQ(o.position, k.position) << k.text;
        }
    }
}

TEST_F(ExpressionErrors, DeepNestingIsRefusedNotACrash) {
    const std::string ok = std::string(200, '(') + "x" + std::string(200, ')');
    EXPECT_EQ(box.direct(ok.c_str()).error, kOk);
    EXPECT_EQ(box.compiled(ok.c_str()).error, kOk);
    for (const std::string& deep :
         {std::string(100000, '('), std::string(100000, '-') + "1",
          "1+" + std::string(5000, '!') + "0", std::string(3000, 's') + "in("}) {
        const Outcome d = box.direct(deep.c_str());
        const Outcome c = box.compiled(deep.c_str());
        EXPECT_NE(d.error, kOk);
        EXPECT_NE(c.error, kOk);
    }
    const std::string parens(100000, '(');
    EXPECT_EQ(box.direct(parens.c_str()).error, kInsufficientMemory);
    EXPECT_EQ(box.compiled(parens.c_str()).error, kInsufficientMemory);
    const std::string sines = [] {
        std::string s;
        for (int i = 0; i < 1000; ++i)
            s += "sin(";
        return s + "1";
    }();
    EXPECT_EQ(box.direct(sines.c_str()).error, kInsufficientMemory);
}

} // namespace
