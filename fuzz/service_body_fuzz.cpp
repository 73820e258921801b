// Fuzz target of the service's readers of request bodies: the form and raw decoders and the
// photo check. Any bytes must give an answer; a decoded body's fields must be within the stated
// limits, and decoding twice must agree. The ordinary test build replays the checked-in corpus
// (tests/server).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "http/form_body.h"
#include "service/jpeg_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvala::service;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const BodyDecode& d :
         {decodeFormBody(bytes), decodeFormBody(bytes, FormText::Bytes), decodeRawBody(bytes)}) {
        if (d.fields.has_value() == !d.problem.empty()) std::abort();
        if (!d.fields) continue;
        if (d.fields->pairs().size() > kMaxFields) std::abort();
        for (const auto& [k, v] : d.fields->pairs())
            if (k.empty() || k.size() > kMaxKeyBytes || v.size() > size) std::abort();
    }
    if (decodeRawBody(bytes).fields.has_value() != decodeRawBody(bytes).fields.has_value())
        std::abort();
    const JpegCheck j = checkJpeg(bytes);
    if (j.ok && (j.width < 16 || j.height < 16 || j.width > 2000 || j.height > 2000)) std::abort();
    return 0;
}
