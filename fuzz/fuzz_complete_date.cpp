// Date completion on any UTF-16 text and any today: it must not crash, must
// give eight characters with slashes in place, and must leave the date text
// of a real date as it is.
#include "complete_date.h"
#include "date_text.h"
#include "text_chars.h"

#include "fuzz_text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QString>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace std::chrono;

void fail(const char* what, const QString& input, const QString& output) {
    std::fprintf(stderr, "%s\ninput:  %s\noutput: %s\n", what, qUtf8Printable(input),
                 qUtf8Printable(output));
    std::abort();
}

tokivane::Date dayFrom(FuzzedDataProvider& data, sys_days first, sys_days last) {
    return tokivane::Date{first +
                          days{data.ConsumeIntegralInRange<int>(0, (last - first).count())}};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const tokivane::FixedClock clock{
        dayFrom(data, sys_days{year{1900} / January / 1}, sys_days{year{2199} / December / 31})};
    const tokivane::Date real =
        dayFrom(data, sys_days{year{2000} / January / 1}, sys_days{year{2099} / December / 31});
    const QString input = fuzzing::utf16Text(data.ConsumeRemainingBytes<std::uint8_t>());

    QString text = input;
    tokivane::CompleteDate(text, clock);
    const std::u32string chars = tokivane::toChars(text);
    if (chars.size() != 8 || chars[2] != U'/' || chars[5] != U'/')
        fail("not an eight-character yy/mm/dd shape", input, text);
    if (tokivane::canonicalDateText(input) == input && text != input)
        fail("a real date text was changed", input, text);

    const QString realText = tokivane::dateTextOf(real);
    QString completed = realText;
    tokivane::CompleteDate(completed, clock);
    if (completed != realText)
        fail("a real date text was changed", realText, completed);
    return 0;
}
