// libFuzzer target: the launch URL rule ("file:" and "quillfern:" URLs with their "p" items) must
// yield a list for any text, never crash or read past the input.
#include "Core/Router.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Router::filesToDiagnose(std::string_view(reinterpret_cast<const char *>(data), size));
    return 0;
}
