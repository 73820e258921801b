// Fuzz target of the picture-library check. Any bytes must give an answer; an accepted file's
// every entry lies inside it, which the check itself walks (AddressSanitizer sees any read past
// the end). A second check of the same bytes must give the same answer. The ordinary test build
// feeds it the checked-in corpus (tests/core/text).

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/text/resource_file_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto a = orvala::checkResourceFile({data, size});
    const auto b = orvala::checkResourceFile({data, size});
    if (a.ok != b.ok || a.files != b.files || (a.ok && !a.problem.empty())) std::abort();
    if (a.ok && a.leaves.size() != static_cast<std::size_t>(a.files)) std::abort();
    for (const auto& leaf : a.leaves)
        if (leaf.offset > size || leaf.size > size - leaf.offset) std::abort();
    return 0;
}
