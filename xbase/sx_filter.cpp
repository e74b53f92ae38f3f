// The sx_* calls for filters and expression evaluation on the current record.
#include "xbase/sx.h"

#include "xbase/sx_facade.h"

using xb::Engine;
using xb::WorkArea;

namespace {

int typeCode(xb::ValueType t)
{
    switch (t) {
    case xb::ValueType::Character:
        return SX_EVAL_CHAR;
    case xb::ValueType::Numeric:
        return SX_EVAL_NUMERIC;
    case xb::ValueType::Date:
        return SX_EVAL_DATE;
    case xb::ValueType::Logical:
        break;
    }
    return SX_EVAL_LOGICAL;
}

// The expression compiled against the current table, or nullptr after recording why.
std::unique_ptr<xb::Expression> compileHere(const char* text)
{
    WorkArea* a = xb::currentArea();
    if (!a || !xb::checkText(text, "expression"))
        return nullptr;
    std::string error;
    auto e = xb::Expression::compile(text, a->table().fields(), error);
    if (!e)
        Engine::instance().fail(error);
    return e;
}

} // namespace

long sx_Query(const char* expression)
{
    WorkArea* a = xb::currentArea();
    if (!a || !xb::checkText(expression, "filter"))
        return -1;
    if (!a->setFilter(expression))
        return xb::areaFailed(*a), -1;
    const long count = a->countVisible();
    a->goTop();
    return count;
}

long sx_QueryRecCount()
{
    WorkArea* a = xb::currentArea();
    return a ? a->countVisible() : 0;
}

int sx_QueryTest(const char* expression)
{
    auto e = compileHere(expression);
    if (e && e->type() != xb::ValueType::Logical)
        return Engine::instance().fail("a filter must be a logical expression"), SX_EVAL_ERROR;
    return e ? SX_EVAL_LOGICAL : SX_EVAL_ERROR;
}

std::string sx_DBFilter()
{
    WorkArea* a = xb::currentArea();
    return a ? a->filterText() : std::string();
}

int sx_EvalTest(const char* expression)
{
    auto e = compileHere(expression);
    return e ? typeCode(e->type()) : SX_EVAL_ERROR;
}

bool sx_EvalLogical(const char* expression)
{
    auto e = compileHere(expression);
    if (!e)
        return false;
    if (e->type() != xb::ValueType::Logical)
        return Engine::instance().fail("not a logical expression");
    return e->evalLogical(xb::currentArea()->context());
}

std::string sx_EvalString(const char* expression)
{
    auto e = compileHere(expression);
    return e ? e->display(xb::currentArea()->context()) : std::string();
}

double sx_EvalNumeric(const char* expression)
{
    auto e = compileHere(expression);
    if (!e)
        return 0;
    if (e->type() != xb::ValueType::Numeric && e->type() != xb::ValueType::Date)
        return Engine::instance().fail("not a numeric expression"), 0;
    return e->evalNumeric(xb::currentArea()->context());
}
