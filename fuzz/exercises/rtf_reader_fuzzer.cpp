// The rich-text reader on any bytes: it never fails on damaged input, what
// it reads, once written, reads back the same, and the text area's count of
// it (cells of ragged tables included) neither overflows nor changes. The same bytes taken as
// an exercise file go through the record reader.
#include "exercises/core/exercisefile.h"
#include "exercises/core/exercisetext.h"
#include "exercises/core/richtext.h"
#include "fuzz/fuzzsupport.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace titrage;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    if (const std::optional<RtfText> text = parseRtf(bytes)) {
        CHECK(!text->paragraphs.empty());
        const std::optional<RtfText> back = parseRtf(writeRtf(*text));
        CHECK(back);
        CHECK(*back == *text);
        CHECK(fitsTextArea(*back) == fitsTextArea(*text));
    }

    if (const std::optional<ExerciseFile> file = parseExercise(bytes)) {
        (void)file->corrected();
        (void)file->notions();
        (void)file->title();
        const int n = file->hourglasses();
        CHECK(n >= 0 && n <= kMaxHourglasses);
    }
    return 0;
}
