#pragma once
// Turns records into the key bytes of one tag: the key expression's value in index
// form (characters blank-padded, logicals T/F, numbers and dates as order-preserving
// 8-byte doubles), and whether the tag's FOR condition admits the record.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/expression.h"
#include "xbase/key_plan.h"

namespace xb::cdx {

class KeyMaker {
public:
    // nullptr and a message when an expression does not compile.
    static std::unique_ptr<KeyMaker> compile(const std::string& keyExpr, const std::string& forExpr,
                                             const std::vector<DbfField>& fields, std::string& error);

    int keyLen() const { return keyLen_; }
    ValueType type() const { return key_->type(); }
    uint8_t pad() const { return type() == ValueType::Character ? ' ' : 0; }
    const Expression& expression() const { return *key_; }

    // The record's key into out; false when the FOR condition leaves it out.
    bool make(const char* record, long recno, long recordCount, std::string& out) const;
    // A seek text in index form: characters as given (cut to the key length),
    // logicals from T/Y/.T., numbers and dates (yyyymmdd) converted.
    std::string seekKey(std::string_view text) const;
    // The record's key as text: character keys as stored, others as their value.
    std::string display(const char* record, long recno, long recordCount) const;

private:
    KeyMaker() = default;
    std::unique_ptr<Expression> key_;
    std::unique_ptr<Expression> for_;
    KeyPlan plan_;
    bool planned_ = false;
    int keyLen_ = 0;
};

// A double as 8 bytes that sort like the numbers: sign bit flipped for positive
// values, all bits for negative ones, big-endian.
std::string orderedDouble(double value);

} // namespace xb::cdx
