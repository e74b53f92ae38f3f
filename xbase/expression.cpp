#include "xbase/expression.h"

#include "xbase/expr_node.h"
#include "xbase/expr_parser.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace xb {

Expression::Expression() = default;
Expression::~Expression() = default;
Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;

std::unique_ptr<Expression> Expression::compile(std::string_view text, const std::vector<DbfField>& fields,
                                                std::string& error)
{
    NodePtr root = parseExpression(text, fields, error);
    if (!root)
        return nullptr;
    std::unique_ptr<Expression> e(new Expression());
    e->text_.assign(text);
    root->collectFields(e->fieldsUsed_);
    e->root_ = std::move(root);
    return e;
}

ValueType Expression::type() const
{
    return root_->type();
}
int Expression::width() const
{
    return root_->width();
}
bool Expression::evalLogical(const EvalContext& ctx) const
{
    return root_->logical(ctx);
}
double Expression::evalNumeric(const EvalContext& ctx) const
{
    return root_->number(ctx);
}

void Expression::keyBytes(const EvalContext& ctx, std::string& out) const
{
    switch (type()) {
    case ValueType::Character: {
        const std::string_view v = root_->text(ctx);
        const std::size_t w = static_cast<std::size_t>(width());
        out.assign(v.substr(0, std::min(v.size(), w)));
        out.resize(w, ' ');
        break;
    }
    case ValueType::Logical:
        out.assign(1, root_->logical(ctx) ? 'T' : 'F');
        break;
    default: {
        const double v = root_->number(ctx);
        out.resize(sizeof v);
        std::memcpy(out.data(), &v, sizeof v);
        break;
    }
    }
}

std::string Expression::display(const EvalContext& ctx) const
{
    switch (type()) {
    case ValueType::Character:
        return std::string(root_->text(ctx));
    case ValueType::Logical:
        return root_->logical(ctx) ? ".T." : ".F.";
    case ValueType::Date: {
        char digits[8];
        digitsFromJulian(root_->number(ctx), digits);
        return std::string(digits, 8);
    }
    case ValueType::Numeric:
        break;
    }
    return plainDecimal(root_->number(ctx));
}

bool Expression::keyPlan(KeyPlan& plan) const
{
    return root_->plan(plan) && plan.covers(type(), width());
}

bool Expression::usesField(std::string_view name) const
{
    return std::any_of(fieldsUsed_.begin(), fieldsUsed_.end(), [&](const std::string& f) {
        return f.size() == name.size() && std::equal(f.begin(), f.end(), name.begin(), [](char a, char b) {
                   return a == std::toupper(static_cast<unsigned char>(b));
               });
    });
}

const char* valueTypeName(ValueType type)
{
    switch (type) {
    case ValueType::Character:
        return "character";
    case ValueType::Numeric:
        return "numeric";
    case ValueType::Date:
        return "date";
    case ValueType::Logical:
        break;
    }
    return "logical";
}

} // namespace xb
