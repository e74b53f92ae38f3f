// Fuzzes the expression compiler and evaluator: any text must compile or fail
// with a message, and a compiled expression must evaluate on a record without
// crashing.
#include "xbase/expression.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

const std::vector<xb::DbfField>& fields()
{
    static const std::vector<xb::DbfField> f = {
        {"LNAME", 'C', 30, 0, 1}, {"FNAME", 'C', 30, 0, 31}, {"AMOUNT", 'N', 8, 2, 61},
        {"BORN", 'D', 8, 0, 69},  {"ISDEL", 'L', 1, 0, 77},  {"CNT", 'I', 4, 0, 78},
    };
    return f;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    auto e = xb::Expression::compile(text, fields(), error);
    if (!e)
        return 0;
    std::string record = " Smith                         John                             12.5019970428T";
    record.resize(82, '\x7f');
    for (bool exact : {false, true}) {
        const xb::EvalContext ctx{record.data(), 3, 10, exact};
        std::string key;
        e->keyBytes(ctx, key);
        e->display(ctx);
    }
    return 0;
}
