// The grammar of the expression language, shared by its two front ends: the
// direct evaluator computes while it parses, the compiler writes code slots.
// A back end supplies what a number, a variable, an operator or a call means;
// the parser owns precedence, name resolution, argument rules, error codes and
// the positions they are reported at, so both front ends agree on them.
//
// Precedence, lowest first: || && (== !=) (< <= > >=) (+ -) (* /) ^ unary.
// Every binary level is left-associative; unary operators bind tighter than ^
// ("-2^2" is 4, "2^3^2" is 64).
#ifndef FORMULA32_EXPRESSIONPARSER_H
#define FORMULA32_EXPRESSIONPARSER_H

#include "BuiltinFunctions.h"
#include "CharClass.h"
#include "ErrorCodes.h"
#include "NumberReader.h"
#include "Operators.h"
#include "UserConstants.h"
#include "VariableTable.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace formula32 {

// Deeper nesting of parentheses, calls and unary operators than this is
// refused with kInsufficientMemory instead of exhausting the machine stack.
inline constexpr int kMaxNesting = 256;

// A back end provides:
//   using Value = ...;
//   static constexpr bool kMissingParenthesisAfterName; // true: report 101 just
//       after the name, false: at its start
//   ErrorCode constant(double, Value&);
//   ErrorCode variable(int index, Value&);
//   ErrorCode binary(Operator, const Value& l, const Value& r, Value&);
//   ErrorCode unary(Operator, const Value&, Value&);
//   ErrorCode call(int row, const Value* args, int count, Value&);
template <class Backend> class ExpressionParser {
public:
    using Value = typename Backend::Value;

    ExpressionParser(const char* text, std::size_t position, const VariableTable& variables,
                     const UserConstants& constants, Backend& backend)
        : text_(text), pos_(position), variables_(variables), constants_(constants),
          backend_(backend) {}

    // Parses one expression from the position given. It stops at the first
    // character that cannot continue it; what follows is the caller's concern.
    bool parse(Value& out) { return expression(out); }

    // Where parsing stopped: after the expression (and the white space after
    // it), or where the error was found.
    std::size_t position() const { return pos_; }
    ErrorCode error() const { return error_; }

private:
    char peek() const { return text_[pos_]; }
    void skipSpace() {
        while (isSpace(text_[pos_]))
            ++pos_;
    }
    bool fail(ErrorCode code, std::size_t at) {
        error_ = code;
        pos_ = at;
        return false;
    }
    bool check(ErrorCode code) { return code == kOk || fail(code, pos_); }

    bool binary(Operator op, Value& left, const Value& right) {
        Value result{};
        if (!check(backend_.binary(op, left, right, result)))
            return false;
        left = result;
        return true;
    }

    bool expression(Value& out) {
        if (!conjunction(out))
            return false;
        for (;;) {
            skipSpace();
            if (!(peek() == '|' && text_[pos_ + 1] == '|'))
                return true;
            pos_ += 2;
            Value right{};
            if (!conjunction(right) || !binary(Operator::Or, out, right))
                return false;
        }
    }

    bool conjunction(Value& out) {
        if (!equality(out))
            return false;
        for (;;) {
            skipSpace();
            if (!(peek() == '&' && text_[pos_ + 1] == '&'))
                return true;
            pos_ += 2;
            Value right{};
            if (!equality(right) || !binary(Operator::And, out, right))
                return false;
        }
    }

    bool equality(Value& out) {
        if (!relation(out))
            return false;
        for (;;) {
            skipSpace();
            Operator op;
            if (peek() == '=' && text_[pos_ + 1] == '=')
                op = Operator::Equal;
            else if (peek() == '!' && text_[pos_ + 1] == '=')
                op = Operator::NotEqual;
            else
                return true;
            pos_ += 2;
            Value right{};
            if (!relation(right) || !binary(op, out, right))
                return false;
        }
    }

    bool relation(Value& out) {
        if (!sum(out))
            return false;
        for (;;) {
            skipSpace();
            const char c = peek();
            if (c != '<' && c != '>')
                return true;
            const bool orEqual = text_[pos_ + 1] == '=';
            const Operator op = c == '<' ? (orEqual ? Operator::LessEqual : Operator::Less)
                                         : (orEqual ? Operator::GreaterEqual : Operator::Greater);
            pos_ += orEqual ? 2 : 1;
            Value right{};
            if (!sum(right) || !binary(op, out, right))
                return false;
        }
    }

    bool sum(Value& out) {
        if (!product(out))
            return false;
        for (;;) {
            skipSpace();
            const char c = peek();
            if (c != '+' && c != '-')
                return true;
            ++pos_;
            Value right{};
            if (!product(right) ||
                !binary(c == '+' ? Operator::Add : Operator::Subtract, out, right))
                return false;
        }
    }

    bool product(Value& out) {
        if (!power(out))
            return false;
        for (;;) {
            skipSpace();
            const char c = peek();
            if (c != '*' && c != '/')
                return true;
            ++pos_;
            Value right{};
            if (!power(right) ||
                !binary(c == '*' ? Operator::Multiply : Operator::Divide, out, right))
                return false;
        }
    }

    bool power(Value& out) {
        if (!unary(out))
            return false;
        for (;;) {
            skipSpace();
            if (peek() != '^')
                return true;
            ++pos_;
            Value right{};
            if (!unary(right) || !binary(Operator::Power, out, right))
                return false;
        }
    }

    bool unary(Value& out) {
        struct DepthGuard {
            int& depth;
            explicit DepthGuard(int& d) : depth(d) { ++depth; }
            ~DepthGuard() { --depth; }
        } guard(depth_);
        skipSpace();
        if (depth_ > kMaxNesting)
            return fail(kInsufficientMemory, pos_);
        const char c = peek();
        if (c == '+') {
            ++pos_;
            return unary(out);
        }
        if (c != '!' && c != '-')
            return primary(out);
        ++pos_;
        Value operand{};
        if (!unary(operand))
            return false;
        return check(backend_.unary(c == '!' ? Operator::Not : Operator::Negate, operand, out));
    }

    bool primary(Value& out) {
        skipSpace();
        if (peek() == '(') {
            ++pos_;
            if (!expression(out))
                return false;
            skipSpace();
            if (peek() != ')')
                return fail(kUnbalancedParenthesis, pos_);
            ++pos_;
            return true;
        }
        if (isLetter(peek()) && name(out))
            return true;
        if (error_ != kOk)
            return false;
        return number(out);
    }

    // Resolves a name: variable, then function, then user constant, then
    // built-in constant. So a user constant may hide "pi" but never a
    // function or "x". Returns false with no error when the name is none of
    // them, to let it be read as a number.
    bool name(Value& out) {
        const std::size_t start = pos_;
        const std::string_view word(text_ + start, nameLength(text_ + start));
        if (const int index = variables_.find(word); index >= 0) {
            pos_ += word.size();
            return check(backend_.variable(index, out));
        }
        if (const int row = findFunction(word); row >= 0)
            return call(start, word, row, out);
        double value = 0;
        if (constants_.find(word, value) || findBuiltinConstant(word, value)) {
            pos_ += word.size();
            return check(backend_.constant(value, out));
        }
        return false;
    }

    bool number(Value& out) {
        double value = 0;
        std::size_t length = 0;
        if (!readNumber(text_ + pos_, value, length))
            return fail(kSyntaxError, pos_);
        pos_ += length;
        return check(backend_.constant(value, out));
    }

    bool call(std::size_t start, std::string_view word, int row, Value& out) {
        const std::size_t afterName = start + word.size();
        pos_ = afterName;
        skipSpace();
        if (peek() != '(')
            return fail(kLackOfParenthesis,
                        Backend::kMissingParenthesisAfterName ? afterName : start);
        ++pos_;
        const int expected = functionInfo(row).arguments;
        std::array<Value, kMaxArguments> args{};
        int count = 0;
        for (;;) {
            if (!expression(args[static_cast<std::size_t>(count)]))
                return false;
            ++count;
            if (count == expected)
                break;
            skipSpace();
            if (peek() == ',') {
                ++pos_;
                continue;
            }
            // tri and sqw have rows for fewer arguments; every other short
            // call is an error.
            const auto shorter = shorterVariant(static_cast<FunctionRow>(row), count);
            if (!shorter)
                return fail(kArgumentCount, pos_);
            row = static_cast<int>(*shorter);
            break;
        }
        skipSpace();
        if (peek() != ')')
            return fail(kLackOfParenthesis, pos_);
        ++pos_;
        return check(backend_.call(row, args.data(), count, out));
    }

    static std::optional<FunctionRow> shorterVariant(FunctionRow row, int count) {
        if (row == FunctionRow::Tri && count == 1)
            return FunctionRow::TriDefault;
        if (row == FunctionRow::Sqw && count == 1)
            return FunctionRow::SqwDefault;
        if (row == FunctionRow::Sqw && count == 2)
            return FunctionRow::SqwNoTransition;
        return std::nullopt;
    }

    const char* text_;
    std::size_t pos_;
    const VariableTable& variables_;
    const UserConstants& constants_;
    Backend& backend_;
    ErrorCode error_ = kOk;
    int depth_ = 0;
};

} // namespace formula32

#endif
