#include "xbase/cdx/sorted_keys.h"

#include <algorithm>
#include <cstring>

namespace xb::cdx {

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
  const size_t n = recnos_.size();
  const size_t headLen = std::min<size_t>(8, size_t(keyLen_));
  order_.resize(n);
  for (size_t i = 0; i < n; ++i) {
    const uint8_t* k = keys_.data() + i * size_t(keyLen_);
    uint64_t head = 0;
    for (size_t b = 0; b < 8; ++b) head = (head << 8) | (b < headLen ? k[b] : 0);
    order_[i] = Item{head, uint32_t(i)};
  }
  const size_t restLen = size_t(keyLen_) - headLen;
  std::sort(order_.begin(), order_.end(), [&](const Item& a, const Item& b) {
    if (a.head != b.head) return a.head < b.head;
    if (restLen) {
      int c = std::memcmp(keys_.data() + size_t(a.index) * keyLen_ + 8, keys_.data() + size_t(b.index) * keyLen_ + 8,
                          restLen);
      if (c != 0) return c < 0;
    }
    return recnos_[a.index] < recnos_[b.index];
  });
}

}  // namespace xb::cdx
