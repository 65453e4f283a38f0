// Execute on the in-memory window with any two box texts, any selection and
// any today. Either one message and no field touched, or every field holds a
// real date text, "Yes"/"No" or the processing date as typed, and every
// judgement agrees with the calendar.
#include "date_text.h"
#include "execute.h"
#include "fuzz_text.h"
#include "judged_rows.h"
#include "memory_form.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace std::chrono;
using tokivane::DateBox;
using tokivane::MemoryForm;

constexpr int kEntryCount = 6;

[[noreturn]] void fail(const char* what, const MemoryForm& form, const QString& detail = {}) {
    std::fprintf(stderr, "%s %s\nText1: %s\nText2: %s\n", what, qUtf8Printable(detail),
                 qUtf8Printable(form.boxText(DateBox::Text1)),
                 qUtf8Printable(form.boxText(DateBox::Text2)));
    std::abort();
}

tokivane::Date dayFrom(FuzzedDataProvider& data, sys_days first, sys_days last) {
    return tokivane::Date{first +
                          days{data.ConsumeIntegralInRange<int>(0, (last - first).count())}};
}

// A box text: raw UTF-16, the date text of a date around 2000-2099, or the
// same date typed without leading zeros.
QString boxText(FuzzedDataProvider& data) {
    const int form = data.ConsumeIntegralInRange(0, 2);
    if (form == 0)
        return fuzzing::utf16Text(
            data.ConsumeBytes<std::uint8_t>(data.ConsumeIntegralInRange<std::size_t>(0, 64)));
    const tokivane::Date date =
        dayFrom(data, sys_days{year{1998} / January / 1}, sys_days{year{2101} / December / 31});
    if (form == 1)
        return tokivane::dateTextOf(date);
    return QStringLiteral("%1/%2/%3")
        .arg(tokivane::twoDigitText(static_cast<int>(date.year()) % 100))
        .arg(static_cast<unsigned>(date.month()))
        .arg(static_cast<unsigned>(date.day()));
}

void checkFields(const MemoryForm& form) {
    const QString typed = form.boxText(DateBox::Text1);
    for (const auto field : tokivane::kAllOutputFields) {
        const QString value = form.caption(field);
        const bool fits = tokivane::isJudgement(field) ? (value == u"Yes" || value == u"No")
                          : tokivane::isProcessingDateEcho(field)
                              ? value == typed
                              : tokivane::canonicalDateText(value) == value;
        if (!fits)
            fail("field holds an unexpected text:", form, tokivane::fieldName(field) + " " + value);
    }
}

tokivane::Date dateShownIn(const MemoryForm& form, tokivane::OutputField field) {
    return *tokivane::dateOfDateText(form.caption(field));
}

void checkJudgements(const MemoryForm& form) {
    const tokivane::Date record = *tokivane::dateOfDateText(form.boxText(DateBox::Text2));
    for (const auto& row : tokivane::kJudgedRows) {
        const bool inside =
            dateShownIn(form, row.start) <= record && record <= dateShownIn(form, row.end);
        if (form.caption(row.judgement) != (inside ? u"Yes" : u"No"))
            fail("judgement disagrees with the calendar:", form,
                 tokivane::fieldName(row.judgement));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const tokivane::FixedClock clock{
        dayFrom(data, sys_days{year{1990} / January / 1}, sys_days{year{2110} / December / 31})};
    const int selected = data.ConsumeIntegralInRange(-1, kEntryCount - 1);
    const QString processing = boxText(data);
    const QString record = boxText(data);

    MemoryForm form(processing, record, selected);
    tokivane::Execute(form, clock);

    if (form.messages().size() > 1)
        fail("more than one message", form);
    if (form.messages().size() == 1) {
        if (form.captionWrites() != 0)
            fail("a field changed although a message was shown", form);
        return 0;
    }
    checkFields(form);
    checkJudgements(form);
    return 0;
}
