// libFuzzer target: a photo's Exif block and XMP packet, whatever their bytes, are carried into
// the JPEG copy without a crash or a read past their end: the TIFF found is the block from a TIFF
// header on, and making the orientation upright changes no size (the tag's two bytes at most in
// the TIFF, the digits of the XMP's orientation) and is done once for good.
#include "Features/HeicConvert/HeicConvertEngine.h"

#include <algorithm>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::vector<std::uint8_t> block(data, data + size);
    std::vector<std::uint8_t> tiff = HeicMetadata::tiffFromExifBlock(block);
    if (!tiff.empty()) {
        const bool header =
            tiff.size() >= 8 && ((tiff[0] == 'I' && tiff[1] == 'I' && tiff[2] == 42 && tiff[3] == 0) ||
                                 (tiff[0] == 'M' && tiff[1] == 'M' && tiff[2] == 0 && tiff[3] == 42));
        if (!header || tiff.size() > block.size() || !std::equal(tiff.rbegin(), tiff.rend(), block.rbegin()))
            __builtin_trap();
    }
    // The fix is tried on the raw bytes too: a block can be any TIFF a writer made.
    for (std::vector<std::uint8_t> subject : {tiff, block}) {
        const std::vector<std::uint8_t> before = subject;
        HeicMetadata::setTiffOrientationUpright(subject);
        if (subject.size() != before.size())
            __builtin_trap();
        std::size_t changed = 0;
        for (std::size_t i = 0; i < subject.size(); ++i)
            changed += subject[i] != before[i];
        if (changed > 2)
            __builtin_trap();
        std::vector<std::uint8_t> again = subject;
        HeicMetadata::setTiffOrientationUpright(again);
        if (again != subject)
            __builtin_trap();
    }

    std::string xmp(reinterpret_cast<const char *>(data), size);
    const std::size_t length = xmp.size();
    HeicMetadata::setXmpOrientationUpright(xmp);
    if (xmp.size() > length)
        __builtin_trap();
    std::string twice = xmp;
    HeicMetadata::setXmpOrientationUpright(twice);
    if (twice != xmp)
        __builtin_trap();
    return 0;
}
