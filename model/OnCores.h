#pragma once
// Independent pieces of work spread over the machine's cores.

#include <cstddef>
#include <functional>

namespace vantle {

// Calls work(0) .. work(count - 1), each once, on as many threads as the processor has cores (this one
// among them). The calls must touch nothing in common.
void forEachOnCores(std::size_t count, const std::function<void(std::size_t)>& work);

} // namespace vantle
