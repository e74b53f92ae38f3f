#include "xbase/cdx/sorted_keys.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace xb::cdx {

static_assert(std::endian::native == std::endian::little, "key heads are byte-swapped into big-endian words");

SortedKeys::SortedKeys(int keyLen, size_t expected) : keyLen_(keyLen) {
  keys_.reserve(expected * size_t(keyLen));
  recnos_.reserve(expected);
}

void SortedKeys::add(const uint8_t* key, uint32_t recno) {
  keys_.insert(keys_.end(), key, key + keyLen_);
  recnos_.push_back(recno);
  maxRecno_ = std::max(maxRecno_, recno);
}

void SortedKeys::sort() {
  constexpr size_t kHead = sizeof(Item::head);
  const size_t n = recnos_.size();
  const size_t kl = size_t(keyLen_);
  const size_t headLen = std::min(kHead, kl);
  order_.resize(n);
  uint8_t padded[kHead] = {};
  for (size_t i = 0; i < n; ++i) {
    const uint8_t* k = keys_.data() + i * kl;
    std::memcpy(padded, k, headLen);
    Item& item = order_[i];
    for (size_t w = 0; w < std::size(item.head); ++w) {
      uint64_t word;
      std::memcpy(&word, padded + 8 * w, 8);
      item.head[w] = __builtin_bswap64(word);
    }
    const bool blankRest = std::all_of(k + headLen, k + kl, [](uint8_t c) { return c == ' '; });
    item.index = uint32_t(i) | (blankRest ? kBlankRest : 0);
    item.recno = recnos_[i];
  }
  const size_t restLen = kl - headLen;
  const uint8_t* keys = keys_.data();
  // Many keys are equal (blank fields, a handful of countries): their tails are
  // known equal without comparing them.
  std::sort(order_.begin(), order_.end(), [&](const Item& a, const Item& b) {
    for (size_t w = 0; w < std::size(a.head); ++w)
      if (a.head[w] != b.head[w]) return a.head[w] < b.head[w];
    if (restLen && !(a.index & b.index & kBlankRest)) {
      int c = std::memcmp(keys + (a.index & kIndexMask) * kl + kHead, keys + (b.index & kIndexMask) * kl + kHead, restLen);
      if (c != 0) return c < 0;
    }
    return a.recno < b.recno;
  });
}

}  // namespace xb::cdx
