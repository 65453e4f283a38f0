// Terms phrases on any UTF-16 text, and on near misses spliced from the
// pieces real phrases are made of: a refusal must say why and point inside
// the text, an accepted phrase must hold terms in their ranges, and whole
// terms must read back the same from the phrase written for them.
#include "terms_phrase.h"

#include "fuzz_text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QString>
#include <QStringView>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace tokivane;

constexpr QStringView kPieces[] = {
    u"0",        u"1",        u"2",      u"3",    u"6",      u"7",      u"15",     u"28",
    u"29",       u"30",       u"31",     u"365",  u"366",    u"０",     u"１",     u"２",
    u"日",       u"締め",     u"締",     u"〆",   u"締切",   u"毎月",   u"都度",   u"月末",
    u"末",       u"末日",     u"当月",   u"翌月", u"翌",     u"々",     u"月",     u"翌々月",
    u"か",       u"ヶ",       u"月後",   u"後",   u"サイト", u"払い",   u"支払",   u"入金",
    u"回収",     u"振込",     u"振込み", u"休日", u"は",     u"の場合", u"土日祝", u"前営業日",
    u"翌営業日", u"そのまま", u"年",     u" ",    u"　",     u"\t",     u"、",     u"，",
    u"・",       u"（",       u"）",     u"(",    u")",
};

void fail(const char* what, const QString& input, const QString& output) {
    std::fprintf(stderr, "%s\ninput:  %s\noutput: %s\n", what, qUtf8Printable(input.left(2000)),
                 qUtf8Printable(output.left(2000)));
    std::abort();
}

bool inRange(const TermsPhrase& phrase) {
    const bool closing = !phrase.closing || phrase.closing->kind != ClosingDay::Kind::Day ||
                         (phrase.closing->day >= 1 && phrase.closing->day <= kLastClosingDay);
    const PayDay pay = phrase.pay.value_or(PayDay{});
    const bool payOk = pay.kind == PayDay::Kind::DaysAfter
                           ? pay.days >= 1 && pay.days <= kMaxDaysAfter
                           : pay.months <= kMaxMonthsAfter && pay.day <= kLastPayDay;
    return closing && payOk;
}

void check(const QString& text) {
    const auto read = readTermsPhrase(text);
    // Bulk reading skips the messages but must take and refuse the same.
    const auto quiet = readTermsPhraseQuietly(text);
    const auto* taken = std::get_if<TermsPhrase>(&read);
    if (quiet.has_value() != (taken != nullptr) || (taken && *quiet != *taken))
        fail("reading quietly differs", text, {});
    if (const auto* error = std::get_if<TermsPhraseError>(&read)) {
        if (error->message.isEmpty())
            fail("a refusal without a message", text, {});
        if (error->position < 0 || error->position > text.size())
            fail("a refusal outside the text", text, error->message);
        return;
    }
    const TermsPhrase& phrase = std::get<TermsPhrase>(read);
    if (!inRange(phrase))
        fail("terms out of their ranges", text, {});
    if (!phrase.closing || !phrase.pay || !phrase.holidays)
        return;
    const QString written = termsPhraseOf({*phrase.closing, *phrase.pay, *phrase.holidays});
    const auto again = readTermsPhrase(written);
    if (!std::holds_alternative<TermsPhrase>(again) || std::get<TermsPhrase>(again) != phrase)
        fail("the written phrase reads back differently", text, written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    check(fuzzing::utf16Text(std::vector<std::uint8_t>(bytes, bytes + size)));

    // The same bytes, one piece each, from the end as the provider takes them.
    FuzzedDataProvider data(bytes, size);
    QString spliced;
    while (data.remaining_bytes() > 0)
        spliced.append(data.PickValueInArray(kPieces));
    check(spliced);
    return 0;
}
