#include "xbase/expr_parser.h"

#include "xbase/expr_functions.h"

#include <cctype>
#include <charconv>

namespace xb {
namespace {

enum class Tok { End, Number, String, Name, LParen, RParen, Comma, Arrow, True, False, And, Or, Not, Op };

struct Token {
    Tok kind = Tok::End;
    std::string text; // operator, upper-cased name, or string contents
    double number = 0;
    std::size_t pos = 0;
};

std::string upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool isNameStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool isNameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

class Lexer {
public:
    explicit Lexer(std::string_view s) : s_(s) {}

    bool next(Token& t, std::string& error)
    {
        while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_])))
            ++pos_;
        t = Token{};
        t.pos = pos_ + 1;
        if (pos_ >= s_.size())
            return true;
        const char c = s_[pos_];
        if (c == '"' || c == '\'' || c == '[')
            return quoted(c == '[' ? ']' : c, t, error);
        if (isDigit(c) || (c == '.' && pos_ + 1 < s_.size() && isDigit(s_[pos_ + 1])))
            return number(t);
        if (c == '.')
            return dotted(t, error);
        if (isNameStart(c)) {
            const std::size_t start = pos_;
            while (pos_ < s_.size() && isNameChar(s_[pos_]))
                ++pos_;
            t.text = upper(s_.substr(start, pos_ - start));
            // The bare words work as the dotted operators.
            t.kind = t.text == "AND" ? Tok::And : t.text == "OR" ? Tok::Or : t.text == "NOT" ? Tok::Not : Tok::Name;
            return true;
        }
        return symbol(t, error);
    }

private:
    bool quoted(char close, Token& t, std::string& error)
    {
        const std::size_t end = s_.find(close, pos_ + 1);
        if (end == std::string_view::npos) {
            error = "unterminated string at position " + std::to_string(pos_ + 1);
            return false;
        }
        t.kind = Tok::String;
        t.text.assign(s_.substr(pos_ + 1, end - pos_ - 1));
        pos_ = end + 1;
        return true;
    }

    bool number(Token& t)
    {
        const std::size_t start = pos_;
        while (pos_ < s_.size() && isDigit(s_[pos_]))
            ++pos_;
        // "5.and." is 5 followed by .and.: a dot belongs to the number only
        // when a digit follows it.
        if (pos_ + 1 < s_.size() && s_[pos_] == '.' && isDigit(s_[pos_ + 1])) {
            ++pos_;
            while (pos_ < s_.size() && isDigit(s_[pos_]))
                ++pos_;
        }
        t.kind = Tok::Number;
        std::from_chars(s_.data() + start, s_.data() + pos_, t.number);
        return true;
    }

    bool dotted(Token& t, std::string& error)
    {
        const std::size_t close = s_.find('.', pos_ + 1);
        const std::string word = close == std::string_view::npos ? "" : upper(s_.substr(pos_ + 1, close - pos_ - 1));
        if (word == "T" || word == "Y")
            t.kind = Tok::True;
        else if (word == "F" || word == "N")
            t.kind = Tok::False;
        else if (word == "AND")
            t.kind = Tok::And;
        else if (word == "OR")
            t.kind = Tok::Or;
        else if (word == "NOT")
            t.kind = Tok::Not;
        else {
            error = "unexpected \".\" at position " + std::to_string(pos_ + 1);
            return false;
        }
        pos_ = close + 1;
        return true;
    }

    bool symbol(Token& t, std::string& error)
    {
        static const char* const twoChar[] = {"==", "<>", "!=", "<=", ">=", "**", "->"};
        for (const char* op : twoChar)
            if (s_.substr(pos_, 2) == op) {
                pos_ += 2;
                t.kind = std::string_view(op) == "->" ? Tok::Arrow : Tok::Op;
                t.text = op;
                if (t.text == "**")
                    t.text = "^";
                return true;
            }
        const char c = s_[pos_++];
        switch (c) {
        case '(':
            t.kind = Tok::LParen;
            return true;
        case ')':
            t.kind = Tok::RParen;
            return true;
        case ',':
            t.kind = Tok::Comma;
            return true;
        case '!':
            t.kind = Tok::Not;
            return true;
        case '=':
        case '<':
        case '>':
        case '#':
        case '$':
        case '+':
        case '-':
        case '*':
        case '/':
        case '%':
        case '^':
            t.kind = Tok::Op;
            t.text = std::string(1, c);
            return true;
        default:
            error = std::string("unexpected character \"") + c + "\" at position " + std::to_string(pos_);
            return false;
        }
    }

    std::string_view s_;
    std::size_t pos_ = 0;
};

// Recursive descent, loosest binding first: .OR., .AND., .NOT., comparisons,
// + and -, * / %, unary minus, power.
class Parser {
public:
    Parser(std::string_view text, const std::vector<DbfField>& fields, std::string& error)
        : lexer_(text), fields_(fields), error_(error)
    {}

    NodePtr parse()
    {
        if (!advance())
            return nullptr;
        if (tok_.kind == Tok::End)
            return fail("empty expression");
        NodePtr n = orExpr();
        if (n && tok_.kind != Tok::End)
            return fail("unexpected text at position " + std::to_string(tok_.pos));
        return n;
    }

private:
    bool advance() { return lexer_.next(tok_, error_); }

    NodePtr fail(const std::string& message)
    {
        if (error_.empty())
            error_ = message;
        return nullptr;
    }

    // Every recursion goes through here: nesting is bounded so that hostile text
    // cannot exhaust the stack.
    NodePtr nested(NodePtr (Parser::*rule)())
    {
        if (depth_ >= kMaxDepth)
            return fail("expression nested too deeply");
        ++depth_;
        NodePtr n = (this->*rule)();
        --depth_;
        return n;
    }

    NodePtr orExpr() { return nested(&Parser::disjunction); }
    NodePtr disjunction() { return chain(Tok::Or, &Parser::andExpr, ".OR."); }

    NodePtr andExpr() { return chain(Tok::And, &Parser::notExpr, ".AND."); }

    NodePtr chain(Tok op, NodePtr (Parser::*operand)(), const char* name)
    {
        NodePtr lhs = (this->*operand)();
        while (lhs && tok_.kind == op) {
            if (!advance())
                return nullptr;
            NodePtr rhs = (this->*operand)();
            if (!rhs)
                return nullptr;
            if (lhs->type() != ValueType::Logical || rhs->type() != ValueType::Logical)
                return fail(std::string(name) + " needs logical operands");
            lhs = makeAndOr(op == Tok::And, std::move(lhs), std::move(rhs));
        }
        return lhs;
    }

    NodePtr notExpr()
    {
        if (tok_.kind != Tok::Not)
            return compareExpr();
        if (!advance())
            return nullptr;
        NodePtr n = nested(&Parser::notExpr);
        if (!n)
            return nullptr;
        if (n->type() != ValueType::Logical)
            return fail(".NOT. needs a logical operand");
        return makeNot(std::move(n));
    }

    NodePtr compareExpr()
    {
        NodePtr lhs = addExpr();
        while (lhs && tok_.kind == Tok::Op) {
            CompareOp op;
            const std::string& t = tok_.text;
            if (t == "=")
                op = CompareOp::Equal;
            else if (t == "==")
                op = CompareOp::ExactEqual;
            else if (t == "<>" || t == "#" || t == "!=")
                op = CompareOp::NotEqual;
            else if (t == "<")
                op = CompareOp::Less;
            else if (t == "<=")
                op = CompareOp::LessEqual;
            else if (t == ">")
                op = CompareOp::Greater;
            else if (t == ">=")
                op = CompareOp::GreaterEqual;
            else if (t == "$")
                op = CompareOp::Contains;
            else
                break;
            const std::string opText = t;
            if (!advance())
                return nullptr;
            NodePtr rhs = addExpr();
            if (!rhs)
                return nullptr;
            if (lhs->type() != rhs->type())
                return fail("type mismatch: " + std::string(valueTypeName(lhs->type())) + " " + opText + " " +
                            valueTypeName(rhs->type()));
            if (op == CompareOp::Contains && lhs->type() != ValueType::Character)
                return fail("$ needs character operands");
            lhs = makeCompare(op, std::move(lhs), std::move(rhs));
        }
        return lhs;
    }

    NodePtr addExpr()
    {
        NodePtr lhs = mulExpr();
        while (lhs && tok_.kind == Tok::Op && (tok_.text == "+" || tok_.text == "-")) {
            const char op = tok_.text[0];
            if (!advance())
                return nullptr;
            NodePtr rhs = mulExpr();
            if (!rhs)
                return nullptr;
            const ValueType l = lhs->type();
            const ValueType r = rhs->type();
            if (l == ValueType::Character && r == ValueType::Character)
                lhs = makeConcat(op == '-', std::move(lhs), std::move(rhs));
            else if (l == ValueType::Numeric && r == ValueType::Numeric)
                lhs = makeArithmetic(op, std::move(lhs), std::move(rhs), ValueType::Numeric);
            else if (l == ValueType::Date && r == ValueType::Numeric)
                lhs = makeArithmetic(op, std::move(lhs), std::move(rhs), ValueType::Date);
            else if (l == ValueType::Numeric && r == ValueType::Date && op == '+')
                lhs = makeArithmetic(op, std::move(lhs), std::move(rhs), ValueType::Date);
            else if (l == ValueType::Date && r == ValueType::Date && op == '-')
                lhs = makeArithmetic(op, std::move(lhs), std::move(rhs), ValueType::Numeric);
            else
                return fail(std::string("type mismatch: ") + valueTypeName(l) + " " + op + " " + valueTypeName(r));
        }
        return lhs;
    }

    NodePtr mulExpr()
    {
        NodePtr lhs = unaryExpr();
        while (lhs && tok_.kind == Tok::Op && (tok_.text == "*" || tok_.text == "/" || tok_.text == "%")) {
            const char op = tok_.text[0];
            if (!advance())
                return nullptr;
            NodePtr rhs = unaryExpr();
            if (!rhs)
                return nullptr;
            if (lhs->type() != ValueType::Numeric || rhs->type() != ValueType::Numeric)
                return fail(std::string("type mismatch: ") + op + " needs numbers");
            lhs = makeArithmetic(op, std::move(lhs), std::move(rhs), ValueType::Numeric);
        }
        return lhs;
    }

    NodePtr unaryExpr()
    {
        if (tok_.kind == Tok::Op && (tok_.text == "-" || tok_.text == "+")) {
            const bool negate = tok_.text == "-";
            if (!advance())
                return nullptr;
            NodePtr n = nested(&Parser::unaryExpr);
            if (n && n->type() != ValueType::Numeric)
                return fail("unary minus needs a number");
            return negate && n ? makeNegate(std::move(n)) : std::move(n);
        }
        NodePtr base = primary();
        if (base && tok_.kind == Tok::Op && tok_.text == "^") {
            if (!advance())
                return nullptr;
            NodePtr exponent = nested(&Parser::unaryExpr);
            if (!exponent)
                return nullptr;
            if (base->type() != ValueType::Numeric || exponent->type() != ValueType::Numeric)
                return fail("type mismatch: ^ needs numbers");
            return makeArithmetic('^', std::move(base), std::move(exponent), ValueType::Numeric);
        }
        return base;
    }

    NodePtr primary()
    {
        Token t = tok_;
        switch (t.kind) {
        case Tok::Number:
            return advance() ? makeNumberConstant(t.number) : nullptr;
        case Tok::String:
            return advance() ? makeTextConstant(t.text) : nullptr;
        case Tok::True:
        case Tok::False:
            return advance() ? makeLogicalConstant(t.kind == Tok::True) : nullptr;
        case Tok::LParen: {
            if (!advance())
                return nullptr;
            NodePtr n = orExpr();
            if (!n)
                return nullptr;
            if (tok_.kind != Tok::RParen)
                return fail("missing \")\" at position " + std::to_string(tok_.pos));
            return advance() ? std::move(n) : nullptr;
        }
        case Tok::Name:
            return name(t);
        case Tok::End:
            return fail("expression ends too early");
        default:
            return fail("unexpected token at position " + std::to_string(t.pos));
        }
    }

    NodePtr name(const Token& t)
    {
        if (!advance())
            return nullptr;
        if (tok_.kind == Tok::LParen)
            return call(t.text);
        std::string fieldName = t.text;
        // ALIAS->FIELD and FIELD->FIELD both name a field of this table.
        if (tok_.kind == Tok::Arrow) {
            if (!advance())
                return nullptr;
            if (tok_.kind != Tok::Name)
                return fail("field name expected after -> at position " + std::to_string(tok_.pos));
            fieldName = tok_.text;
            if (!advance())
                return nullptr;
        }
        for (const DbfField& f : fields_)
            if (f.name == fieldName)
                return makeFieldNode(f);
        return fail("unknown field " + fieldName);
    }

    NodePtr call(const std::string& function)
    {
        std::vector<NodePtr> args;
        if (!advance())
            return nullptr;
        if (tok_.kind != Tok::RParen) {
            for (;;) {
                NodePtr a = orExpr();
                if (!a)
                    return nullptr;
                args.push_back(std::move(a));
                if (tok_.kind == Tok::Comma) {
                    if (!advance())
                        return nullptr;
                    continue;
                }
                break;
            }
            if (tok_.kind != Tok::RParen)
                return fail("missing \")\" after the arguments of " + function + "()");
        }
        if (!advance())
            return nullptr;
        std::string message;
        NodePtr n = makeFunction(function, std::move(args), message);
        return n ? std::move(n) : fail(message);
    }

    Lexer lexer_;
    const std::vector<DbfField>& fields_;
    std::string& error_;
    Token tok_;
    int depth_ = 0;
    static constexpr int kMaxDepth = 200;
};

} // namespace

NodePtr parseExpression(std::string_view text, const std::vector<DbfField>& fields, std::string& error)
{
    error.clear();
    Parser p(text, fields, error);
    return p.parse();
}

} // namespace xb
