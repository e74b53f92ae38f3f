#include "xbase/parallel.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <vector>

namespace xb {

int partsFor(std::size_t items, std::size_t minItems)
{
    return items >= minItems && std::thread::hardware_concurrency() >= 2 ? 2 : 1;
}

void runParts(int parts, const std::function<void(int part)>& work)
{
    std::vector<std::exception_ptr> failures(size_t(std::max(parts, 1)));
    auto run = [&](int part) {
        try {
            work(part);
        } catch (...) {
            failures[size_t(part)] = std::current_exception();
        }
    };
    std::vector<std::thread> helpers;
    for (int part = 1; part < parts; ++part)
        helpers.emplace_back(run, part);
    run(0);
    for (auto& h : helpers)
        h.join();
    for (auto& f : failures)
        if (f)
            std::rethrow_exception(f);
}

} // namespace xb
