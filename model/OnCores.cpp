#include "model/OnCores.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace vantle {

void forEachOnCores(std::size_t count, const std::function<void(std::size_t)>& work) {
    std::atomic<std::size_t> next{0};
    const auto take = [&] {
        for (std::size_t i = next++; i < count; i = next++)
            work(i);
    };
    const std::size_t helpers = std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()) - 1,
                                                      count > 0 ? count - 1 : 0);
    std::vector<std::jthread> threads;
    for (std::size_t t = 0; t < helpers; ++t)
        threads.emplace_back(take);
    take();
}

} // namespace vantle
