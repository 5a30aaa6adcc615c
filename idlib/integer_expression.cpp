// Recursive-descent evaluation of a definition line's value, one precedence level per function.
// Only integer constants: no symbols, no conditional or relational operators.
#include "idlib/integer_expression.h"

namespace rc2e::idlib {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentifierChar(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

int HexDigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Evaluator {
 public:
  explicit Evaluator(std::string_view text) : text_(text) {}

  std::optional<int32_t> Evaluate() {
    std::optional<uint32_t> value = BitwiseOr();
    SkipSpace();
    if (!value || failed_ || position_ != text_.size()) return std::nullopt;
    return static_cast<int32_t>(*value);
  }

 private:
  // scanning
  void SkipSpace() {
    while (position_ < text_.size()) {
      char c = text_[position_];
      if (IsBlank(c)) {
        ++position_;
      } else if (text_.substr(position_, 2) == "//") {
        position_ = text_.size();
      } else if (text_.substr(position_, 2) == "/*") {
        size_t end = text_.find("*/", position_ + 2);
        // An unclosed comment runs on past the line, so the rest of this line is comment.
        position_ = end == std::string_view::npos ? text_.size() : end + 2;
      } else {
        return;
      }
    }
  }

  bool Accept(std::string_view op) {
    SkipSpace();
    if (text_.substr(position_, op.size()) != op) return false;
    position_ += op.size();
    return true;
  }

  // The next character after blanks and comments, so a '/' seen here is a division.
  char Peek() {
    SkipSpace();
    return position_ < text_.size() ? text_[position_] : '\0';
  }

  std::optional<uint32_t> Fail() {
    failed_ = true;
    return std::nullopt;
  }

  // One left-associative level: the one-character operators in ops over the next tighter
  // level; combine(operator, left, right) gives no value for an operation that has none.
  template <class Combine>
  std::optional<uint32_t> OperatorLevel(std::string_view ops, std::optional<uint32_t> (Evaluator::*operand)(),
                                        Combine combine) {
    auto left = (this->*operand)();
    while (left) {
      char op = Peek();
      if (ops.find(op) == std::string_view::npos) break;
      ++position_;
      auto right = (this->*operand)();
      if (!right) return Fail();
      left = combine(op, *left, *right);
      if (!left) return Fail();
    }
    return left;
  }

  // precedence levels, loosest first
  std::optional<uint32_t> BitwiseOr() {
    return OperatorLevel("|", &Evaluator::BitwiseXor, [](char, uint32_t a, uint32_t b) { return a | b; });
  }

  std::optional<uint32_t> BitwiseXor() {
    return OperatorLevel("^", &Evaluator::BitwiseAnd, [](char, uint32_t a, uint32_t b) { return a ^ b; });
  }

  std::optional<uint32_t> BitwiseAnd() {
    return OperatorLevel("&", &Evaluator::Shift, [](char, uint32_t a, uint32_t b) { return a & b; });
  }

  std::optional<uint32_t> Shift() {
    auto left = Additive();
    while (left) {
      bool leftShift = Accept("<<");
      if (!leftShift && !Accept(">>")) break;
      auto right = Additive();
      if (!right) return Fail();
      unsigned count = *right & 31u;
      if (leftShift) {
        *left <<= count;
      } else {
        // Arithmetic shift written without relying on the implementation's signed >>.
        uint32_t value = *left;
        uint32_t shifted = value >> count;
        if ((value & 0x80000000u) && count) shifted |= ~(0xFFFFFFFFu >> count);
        *left = shifted;
      }
    }
    return left;
  }

  std::optional<uint32_t> Additive() {
    return OperatorLevel("+-", &Evaluator::Multiplicative,
                         [](char op, uint32_t a, uint32_t b) { return op == '+' ? a + b : a - b; });
  }

  std::optional<uint32_t> Multiplicative() {
    return OperatorLevel("*/%", &Evaluator::Unary, [](char op, uint32_t a, uint32_t b) -> std::optional<uint32_t> {
      if (op == '*') return a * b;
      if (b == 0) return std::nullopt;
      int32_t dividend = static_cast<int32_t>(a);
      int32_t divisor = static_cast<int32_t>(b);
      // INT32_MIN / -1 wraps to INT32_MIN, and its remainder is 0.
      if (divisor == -1) return op == '/' ? 0u - a : 0u;
      return static_cast<uint32_t>(op == '/' ? dividend / divisor : dividend % divisor);
    });
  }

  std::optional<uint32_t> Unary() {
    char c = Peek();
    if (c == '+' || c == '-' || c == '~' || c == '!') {
      if (++depth_ > kMaxNesting) return Fail();
      ++position_;
      auto operand = Unary();
      --depth_;
      if (!operand) return Fail();
      switch (c) {
        case '-': return 0u - *operand;
        case '~': return ~*operand;
        case '!': return *operand == 0 ? 1u : 0u;
        default: return operand;
      }
    }
    return Primary();
  }

  std::optional<uint32_t> Primary() {
    char c = Peek();
    if (c == '(') {
      if (++depth_ > kMaxNesting) return Fail();
      ++position_;
      auto inner = BitwiseOr();
      --depth_;
      if (!inner || Peek() != ')') return Fail();
      ++position_;
      return inner;
    }
    if (IsDigit(c)) return Literal();
    return Fail();
  }

  std::optional<uint32_t> Literal() {
    uint32_t value = 0;
    if (text_[position_] == '0' && position_ + 1 < text_.size() &&
        (text_[position_ + 1] == 'x' || text_[position_ + 1] == 'X')) {
      position_ += 2;
      size_t digitsStart = position_;
      while (position_ < text_.size() && HexDigitValue(text_[position_]) >= 0) {
        value = value * 16u + static_cast<uint32_t>(HexDigitValue(text_[position_]));
        ++position_;
      }
      if (position_ == digitsStart) return Fail();
    } else {
      uint32_t base = text_[position_] == '0' ? 8u : 10u;
      while (position_ < text_.size() && IsDigit(text_[position_])) {
        uint32_t digit = static_cast<uint32_t>(text_[position_] - '0');
        if (digit >= base) return Fail();
        value = value * base + digit;
        ++position_;
      }
    }
    SkipSuffix();
    // "12abc" or "0x1g" is not a number.
    if (position_ < text_.size() && IsIdentifierChar(text_[position_])) return Fail();
    return value;
  }

  // u or U, l or L or ll or LL, in either order, each at most once.
  void SkipSuffix() {
    bool unsignedSeen = false;
    bool longSeen = false;
    while (position_ < text_.size()) {
      char c = text_[position_];
      if ((c == 'u' || c == 'U') && !unsignedSeen) {
        unsignedSeen = true;
        ++position_;
      } else if ((c == 'l' || c == 'L') && !longSeen) {
        longSeen = true;
        ++position_;
        if (position_ < text_.size() && text_[position_] == c) ++position_;
      } else {
        return;
      }
    }
  }

  std::string_view text_;
  size_t position_ = 0;
  int depth_ = 0;
  bool failed_ = false;
};

}  // namespace

std::optional<int32_t> EvaluateIntegerExpression(std::string_view text) {
  return Evaluator(text).Evaluate();
}

}  // namespace rc2e::idlib
