#include "sheet_scanner.h"

#include "utf8_bytes.h"

#include <QList>
#include <array>
#include <cstring>

namespace tokivane {

namespace {

// A tag or a run of text longer than this is left to Qt's reader.
constexpr qsizetype kMaxUnreadBytes = 1024 * 1024;
// The bytes of a part first joined to what the last one left unread, and
// how many times more are joined while that is still not read.
constexpr qsizetype kJoinedBytes = 4096;
constexpr qsizetype kJoinedGrowth = 16;
constexpr QByteArrayView kByteOrderMark("\xEF\xBB\xBF");
constexpr QByteArrayView kNamespacePrefix("xmlns:");
constexpr QByteArrayView kXmlPrefix("xml");
constexpr QByteArrayView kXmlnsPrefix("xmlns");
constexpr qsizetype kMaxReferenceLength = 10; // "#x10FFFF" and room to spare
constexpr std::size_t kMaxPlainRowAttributes = 8;
constexpr char kPreservedInlineText[] = "<is><t xml:space=\"preserve\">";

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool isNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool isNameChar(char c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '.' || c == '-' || c == ':';
}

const char* skipSpace(const char* p, const char* end) {
    while (p < end && isSpace(*p))
        ++p;
    return p;
}

const char* nameEnd(const char* p, const char* end) {
    while (p < end && isNameChar(*p))
        ++p;
    return p;
}

// Where a name's prefix ends; -1 for none. A loop rather than memchr: names
// are a few letters long.
qsizetype colonIn(QByteArrayView name) {
    for (qsizetype at = 0; at < name.size(); ++at)
        if (name[at] == ':')
            return at;
    return -1;
}

// An ASCII name with at most one colon, a name on either side of it.
bool isQualifiedName(QByteArrayView name) {
    if (name.isEmpty() || !isNameStart(name[0]))
        return false;
    const qsizetype colon = colonIn(name);
    if (colon < 0)
        return true;
    const QByteArrayView local = name.sliced(colon + 1);
    return !local.isEmpty() && isNameStart(local[0]) && colonIn(local) < 0;
}

QByteArrayView prefixOf(QByteArrayView name) {
    const qsizetype colon = colonIn(name);
    return colon < 0 ? QByteArrayView() : name.first(colon);
}

QByteArrayView localNameOf(QByteArrayView name) {
    return name.sliced(colonIn(name) + 1);
}

// The bytes of character data that stand for themselves anywhere, by byte:
// looked up, since every byte of a value is.
constexpr auto kPlainBytes = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x7F; ++c)
        plain[c] = c != '&' && c != '<' && c != ']';
    return plain;
}();

bool isPlain(char c) {
    return kPlainBytes[static_cast<unsigned char>(c)];
}

bool isXmlCharacter(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// The length of the UTF-8 sequence of an XML character at `p`; 0 for none.
qsizetype utf8Length(const char* p, const char* end) {
    const qsizetype length = utf8SequenceLength(static_cast<unsigned char>(*p));
    if (length == 0 || end - p < length)
        return 0;
    return isXmlCharacter(utf8Character(p, length)) ? length : 0;
}

void appendUtf8(QByteArray& out, char32_t c) {
    const char32_t text[] = {c};
    out += QString::fromUcs4(text, 1).toUtf8();
}

// The character an entity or character reference (between '&' and ';')
// stands for; 0 for none the scanner reads.
char32_t characterOfReference(QByteArrayView name) {
    if (name == "lt")
        return '<';
    if (name == "gt")
        return '>';
    if (name == "amp")
        return '&';
    if (name == "apos")
        return '\'';
    if (name == "quot")
        return '"';
    if (name.size() < 2 || name[0] != '#')
        return 0;
    const bool hex = name[1] == 'x';
    const QByteArrayView digits = name.sliced(hex ? 2 : 1);
    if (digits.isEmpty())
        return 0;
    char32_t c = 0;
    for (const char digit : digits) {
        int value = -1;
        if (digit >= '0' && digit <= '9')
            value = digit - '0';
        else if (hex && digit >= 'a' && digit <= 'f')
            value = digit - 'a' + 10;
        else if (hex && digit >= 'A' && digit <= 'F')
            value = digit - 'A' + 10;
        if (value < 0)
            return 0;
        c = c * (hex ? 16 : 10) + char32_t(value);
        if (c > 0x10FFFF)
            return 0;
    }
    return isXmlCharacter(c) ? c : 0;
}

// Checks character data, text or an attribute's value, and with `out`
// appends it decoded as UTF-8, `ascii` telling whether it all was. False
// where the scanner declines: a character XML forbids, an entity other than
// the five, "]]>" in text, '<' in a value, and, in what it hands on, the
// line breaks and tabs Qt's reader would normalize.
bool readCharacters(QByteArrayView raw, bool attribute, QByteArray* out, bool* ascii) {
    const char* p = raw.data();
    const char* const end = p + raw.size();
    while (p < end) {
        const char c = *p;
        if (c == '&') {
            const QByteArrayView rest(p + 1, std::min<qsizetype>(end - p - 1, kMaxReferenceLength));
            const qsizetype semicolon = rest.indexOf(';');
            const char32_t character =
                semicolon < 0 ? 0 : characterOfReference(rest.first(semicolon));
            if (character == 0)
                return false;
            if (out) {
                appendUtf8(*out, character);
                *ascii = *ascii && character < 0x80;
            }
            p += semicolon + 2;
            continue;
        }
        if (static_cast<unsigned char>(c) >= 0x80) {
            const qsizetype length = utf8Length(p, end);
            if (length == 0)
                return false;
            if (out) {
                out->append(p, length);
                *ascii = false;
            }
            p += length;
            continue;
        }
        const bool lineBreak = c == '\r' || (attribute && (c == '\n' || c == '\t'));
        if (c == '<' || (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || (out && lineBreak))
            return false;
        if (!attribute && c == ']' && QByteArrayView(p, end - p).startsWith("]]>"))
            return false;
        const char* const plainStart = p++;
        while (p < end && isPlain(*p))
            ++p;
        if (out)
            out->append(plainStart, p - plainStart);
    }
    return true;
}

// Where a run of plain bytes ends, at `stop` at the latest.
const char* plainEnd(const char* p, const char* end, char stop) {
    while (p < end && *p != stop && isPlain(*p))
        ++p;
    return p;
}

// Of a literal, so that its size is known here: the comparison of a few
// bytes then takes a few instructions, not a call.
template <std::size_t N> bool startsWith(const char* p, const char* end, const char (&what)[N]) {
    constexpr auto size = qsizetype(N - 1);
    return p && end - p >= size && std::memcmp(p, what, size) == 0;
}

// Text up to its closing tags that stands for itself: plain bytes and the
// UTF-8 of characters XML allows. Where the tags end, with the text in
// `value`, or null where the text is not such or not all there yet.
template <std::size_t N>
const char* plainValue(const char* from, const char* end, const char (&close)[N], PlainCell& cell) {
    const char* p = from;
    while (p < end && *p != '<') {
        if (isPlain(*p)) {
            ++p;
            continue;
        }
        const qsizetype length = static_cast<unsigned char>(*p) >= 0x80 ? utf8Length(p, end) : 0;
        if (length == 0)
            return nullptr;
        cell.ascii = false;
        p += length;
    }
    if (!startsWith(p, end, close))
        return nullptr;
    cell.value = QByteArrayView(from, p - from);
    return p + (N - 1);
}

} // namespace

template <typename Take> bool SheetScanner::decode(QByteArrayView raw, bool attribute, Take take) {
    decoded_.resize(0);
    bool ascii = true;
    if (!readCharacters(raw, attribute, &decoded_, &ascii))
        return false;
    if (ascii)
        take(QLatin1StringView(decoded_));
    else
        take(QString::fromUtf8(decoded_));
    return true;
}

bool SheetScanner::take(const QByteArray& data) {
    if (stopped())
        return false;
    // Qt's reader decodes each part whole before it reads a token of it.
    if (checksUtf8_ && !utf8_.take(data)) {
        decline();
        return false;
    }
    const qsizetype from = unread_.isEmpty() ? 0 : readJoined(data);
    if (from < data.size()) {
        const QByteArrayView own = QByteArrayView(data).sliced(from);
        const qsizetype used = stopped() ? 0 : scan(own);
        if (used > 0)
            events_.hold(data);
        unread_ = own.sliced(used).toByteArray();
    }
    if (unread_.size() > kMaxUnreadBytes)
        decline();
    return !stopped();
}

// What the last part left unread, read joined to as much of this part as
// ends it: a few bytes mostly, so that the rest is read where it lies and
// not copied. Where in the part the rest begins.
qsizetype SheetScanner::readJoined(const QByteArray& data) {
    qsizetype taken = std::min(kJoinedBytes, data.size());
    while (true) {
        QByteArray joined;
        joined.reserve(unread_.size() + taken);
        joined.append(unread_).append(QByteArrayView(data).first(taken));
        const qsizetype used = scan(joined);
        // Only what was read needs its bytes held: mostly nothing was.
        if (used > 0)
            events_.hold(joined);
        const qsizetype rest = used - unread_.size();
        if (rest >= 0 && rest < data.size()) {
            unread_.clear();
            return rest;
        }
        if (taken == data.size() || stopped()) {
            unread_ = QByteArrayView(joined).sliced(used).toByteArray();
            return data.size();
        }
        if (used > 0)
            unread_ = QByteArrayView(unread_).sliced(used).toByteArray();
        taken = std::min(taken * kJoinedGrowth, data.size());
    }
}

qsizetype SheetScanner::scan(QByteArrayView input) {
    const char* const begin = input.data();
    const char* const end = begin + input.size();
    const char* p = begin;
    if (!markChecked_) {
        if (input.size() < kByteOrderMark.size() && kByteOrderMark.startsWith(input))
            return 0;
        if (input.startsWith(kByteOrderMark))
            p += kByteOrderMark.size();
        markChecked_ = true;
    }
    while (p < end && !stopped()) {
        const char* next = nullptr;
        if (*p == '<') {
            next = tag(p, end);
        } else {
            const auto* open = static_cast<const char*>(std::memchr(p, '<', end - p));
            next = text(p, open ? open : end, open != nullptr);
        }
        if (next == nullptr || next == p)
            break;
        atStart_ = false;
        p = next;
    }
    return p - begin;
}

// Text between tags: outside the root only white space; inside it, handed
// on whole where it is part of a value. Where it is not yet whole, nothing
// is read of it.
const char* SheetScanner::text(const char* from, const char* to, bool whole) {
    const QByteArrayView raw(from, to - from);
    if (openEnds_.empty()) {
        for (const char c : raw)
            if (!isSpace(c))
                return decline();
        return to;
    }
    if (!whole)
        return from;
    if (!events_.collecting())
        return readCharacters(raw, false, nullptr, nullptr) ? to : decline();
    const bool read = decode(raw, false, [&](auto text) { events_.addValue(text); });
    return read ? to : decline();
}

const char* SheetScanner::tag(const char* from, const char* end) {
    if (end - from < 2)
        return nullptr;
    switch (from[1]) {
    case '/':
        return endTag(from, end);
    case '?':
        return declaration(from, end);
    case '!': // a comment, CDATA or a DOCTYPE
        return decline();
    case 'c':
        if (const char* next = plainCell(from, end))
            return next;
        return startTag(from, end);
    case 'r':
        if (const char* next = plainRow(from, end))
            return next;
        return startTag(from, end);
    default:
        return startTag(from, end);
    }
}

// A whole cell as workbook programs write nearly all of them, read in one
// step: <c r="A1" s="1" t="s"><v>0</v></c>, an inline string's
// <is><t>text</t></is> or empty, with no attribute but those three, plain
// ASCII in their values and text that needs no decoding but from UTF-8.
// Null where it is anything else or not yet whole, for the tag-by-tag
// reading, which reads it the same.
const char* SheetScanner::plainCell(const char* from, const char* end) {
    // A cell within a cell is read tag by tag: closing the outer one reads
    // what the inner one left.
    if (openEnds_.empty() || openCells_ > 0)
        return nullptr;
    PlainCell cell;
    const char* p = from + 2;
    for (;;) {
        const char* q = skipSpace(p, end);
        if (q == end || *q == '>' || *q == '/') {
            p = q;
            break;
        }
        QLatin1StringView* value = nullptr;
        if (*q == 'r')
            value = &cell.reference;
        else if (*q == 's')
            value = &cell.style;
        else if (*q == 't')
            value = &cell.type;
        // Set apart by white space, each once, written name="value".
        if (q == p || !value || value->data() || end - q < 3 || q[1] != '=' ||
            (q[2] != '"' && q[2] != '\''))
            return nullptr;
        const char* const close = plainEnd(q + 3, end, q[2]);
        if (close == end || *close != q[2])
            return nullptr;
        *value = QLatin1StringView(q + 3, close - q - 3);
        p = close + 1;
    }
    if (startsWith(p, end, "/>")) {
        events_.addCell(cell);
        return p + 2;
    }
    if (p == end || *p != '>')
        return nullptr;
    ++p;
    if (startsWith(p, end, "<v>")) {
        p = plainValue(p + 3, end, "</v>", cell);
        cell.holder = PlainCell::Value;
    } else if (startsWith(p, end, "<is><t>")) {
        p = plainValue(p + 7, end, "</t></is>", cell);
        cell.holder = PlainCell::InlineText;
    } else if (startsWith(p, end, kPreservedInlineText)) {
        p = plainValue(p + std::size(kPreservedInlineText) - 1, end, "</t></is>", cell);
        cell.holder = PlainCell::InlineText;
    }
    if (!p)
        return nullptr;
    if (!startsWith(p, end, "</c>"))
        return nullptr;
    events_.addCell(cell);
    return p + 4;
}

// A row's start tag as workbook programs write them, read in one step:
// <row r="2" spans="1:10" x14ac:dyDescent="0.25">, its attributes' prefixes
// declared, their values plain ASCII. Null where it is anything else or
// not yet whole, for startTag, which reads it the same.
const char* SheetScanner::plainRow(const char* from, const char* end) {
    if (openEnds_.empty() || !startsWith(from, end, "<row"))
        return nullptr;
    std::array<QByteArrayView, kMaxPlainRowAttributes> names;
    std::size_t count = 0;
    QLatin1StringView reference;
    const char* p = from + 4;
    for (;;) {
        const char* q = skipSpace(p, end);
        if (q == end)
            return nullptr;
        if (*q == '>') {
            p = q + 1;
            break;
        }
        if (q == p || count == names.size())
            return nullptr;
        const char* const equals = nameEnd(q, end);
        const QByteArrayView name(q, equals - q);
        if (!isQualifiedName(name) || end - equals < 2 || equals[0] != '=' ||
            (equals[1] != '"' && equals[1] != '\''))
            return nullptr;
        // Declarations, unknown prefixes and repeated names are startTag's.
        const QByteArrayView prefix = prefixOf(name);
        if (name == kXmlnsPrefix || prefix == kXmlnsPrefix ||
            (!prefix.isEmpty() && prefix != kXmlPrefix && !declared(prefix)))
            return nullptr;
        for (std::size_t at = 0; at < count; ++at)
            if (localNameOf(names[at]) == localNameOf(name))
                return nullptr;
        names[count++] = name;
        const char* const value = equals + 2;
        const char* const close = plainEnd(value, end, equals[1]);
        if (close == end || *close != equals[1])
            return nullptr;
        if (name == "r")
            reference = QLatin1StringView(value, close - value);
        p = close + 1;
    }
    openNames_ += "row";
    openEnds_.push_back(openNames_.size());
    reference_ = reference;
    SheetTag tag;
    tag.element = SheetElement::Row;
    tag.reference = reference_;
    events_.start(tag);
    return p;
}

const char* SheetScanner::endTag(const char* from, const char* end) {
    const char* const nameStart = from + 2;
    const char* p = nameEnd(nameStart, end);
    const QByteArrayView name(nameStart, p - nameStart);
    p = skipSpace(p, end);
    if (p == end)
        return nullptr;
    if (*p != '>' || openEnds_.empty())
        return decline();
    const qsizetype top = openEnds_.size() > 1 ? openEnds_[openEnds_.size() - 2] : 0;
    if (QByteArrayView(openNames_).sliced(top) != name)
        return decline();
    closeElement(sheetElementOf(QLatin1StringView(localNameOf(name))));
    return p + 1;
}

const char* SheetScanner::startTag(const char* from, const char* end) {
    const char* p = nameEnd(from + 1, end);
    if (p == end)
        return nullptr;
    const QByteArrayView name(from + 1, p - from - 1);
    if (!isQualifiedName(name))
        return decline();
    attributes_.clear();
    bool empty = false;
    for (;;) {
        const char* q = skipSpace(p, end);
        if (q == end)
            return nullptr;
        if (*q == '>' || *q == '/') {
            if (*q == '/' && q + 1 == end)
                return nullptr;
            if (*q == '/' && q[1] != '>')
                return decline();
            empty = *q == '/';
            p = q + (empty ? 2 : 1);
            break;
        }
        if (q == p)
            return decline(); // attributes are set apart by white space
        const char* const attributeStart = q;
        q = nameEnd(q, end);
        const QByteArrayView attributeName(attributeStart, q - attributeStart);
        q = skipSpace(q, end);
        if (q == end)
            return nullptr;
        if (!isQualifiedName(attributeName) || *q != '=')
            return decline();
        q = skipSpace(q + 1, end);
        if (q == end)
            return nullptr;
        if (*q != '"' && *q != '\'')
            return decline();
        const auto* close = static_cast<const char*>(std::memchr(q + 1, *q, end - q - 1));
        if (!close)
            return nullptr;
        const QByteArrayView value(q + 1, close - q - 1);
        if (!readCharacters(value, true, nullptr, nullptr))
            return decline();
        attributes_.push_back({attributeName, value});
        p = close + 1;
    }
    if (rootSeen_ && openEnds_.empty())
        return decline(); // a second root
    openNames_ += name;
    openEnds_.push_back(openNames_.size());
    if (!declareNamespaces() || !declared(prefixOf(name)))
        return decline();
    startElement(sheetElementOf(QLatin1StringView(localNameOf(name))), empty);
    return p;
}

// The XML declaration, only at the very start: version 1.0, UTF-8 if an
// encoding is named, and standalone or not.
const char* SheetScanner::declaration(const char* from, const char* end) {
    const QByteArrayView rest(from, end - from);
    const qsizetype close = rest.indexOf("?>");
    if (close < 0)
        return nullptr;
    if (!atStart_ || !rest.startsWith("<?xml") || !isSpace(rest[5]))
        return decline();
    const QList<QByteArrayView> names{"version", "encoding", "standalone"};
    qsizetype next = 0;
    const char* p = from + 5;
    const char* const stop = from + close;
    while ((p = skipSpace(p, stop)) < stop) {
        const char* q = nameEnd(p, stop);
        const QByteArrayView name(p, q - p);
        q = skipSpace(q, stop);
        if (q == stop || *q != '=')
            return decline();
        q = skipSpace(q + 1, stop);
        if (q == stop || (*q != '"' && *q != '\''))
            return decline();
        const auto* quote = static_cast<const char*>(std::memchr(q + 1, *q, stop - q - 1));
        if (!quote || (quote + 1 < stop && !isSpace(quote[1])))
            return decline();
        const QByteArray value = QByteArrayView(q + 1, quote - q - 1).toByteArray().toLower();
        if (next == 0 && name != names[0])
            return decline();
        while (next < names.size() && names[next] != name)
            ++next;
        if (next == names.size())
            return decline();
        const bool known = (name == "version" && value == "1.0") ||
                           (name == "encoding" && value == "utf-8") ||
                           (name == "standalone" && (value == "yes" || value == "no"));
        if (!known)
            return decline();
        ++next;
        p = quote + 1;
    }
    return next > 0 ? stop + 2 : decline();
}

bool SheetScanner::declared(QByteArrayView prefix) const {
    if (prefix.isEmpty())
        return true;
    for (const Prefix& known : prefixes_)
        if (known.name == prefix)
            return true;
    return false;
}

// The prefixes the element declares, then whether every attribute is
// unique and its prefix known. Two attributes of one local name are left to
// Qt's reader, which tells them apart by namespace.
bool SheetScanner::declareNamespaces() {
    if (attributes_.size() < 2 && (attributes_.empty() || colonIn(attributes_[0].name) < 0))
        return true;
    const auto depth = qsizetype(openEnds_.size());
    for (const Attribute& attribute : attributes_) {
        if (!attribute.name.startsWith(kNamespacePrefix))
            continue;
        const QByteArrayView prefix = attribute.name.sliced(kNamespacePrefix.size());
        if (attribute.value.isEmpty() || prefix == kXmlPrefix || prefix == kXmlnsPrefix)
            return false;
        prefixes_.push_back({prefix.toByteArray(), depth});
    }
    for (auto a = attributes_.cbegin(); a != attributes_.cend(); ++a) {
        const QByteArrayView prefix = prefixOf(a->name);
        if (prefix != kXmlnsPrefix && prefix != kXmlPrefix && !declared(prefix))
            return false;
        for (auto b = a + 1; b != attributes_.cend(); ++b)
            if (localNameOf(a->name) == localNameOf(b->name))
                return false;
    }
    return true;
}

SheetTag SheetScanner::tagOf(SheetElement element) {
    SheetTag tag;
    tag.element = element;
    if (!readsAttributes(element))
        return tag;
    const auto take = [&](const Attribute& attribute, QString& into, QStringView& view) {
        const bool read = decode(attribute.value, true, [&](auto text) {
            into.resize(0);
            into += text;
        });
        if (!read)
            return false;
        view = into;
        return true;
    };
    for (const Attribute& attribute : attributes_) {
        bool read = true;
        if (attribute.name == "r")
            read = take(attribute, reference_, tag.reference);
        else if (attribute.name == "t")
            read = take(attribute, type_, tag.type);
        else if (attribute.name == "s")
            read = take(attribute, style_, tag.style);
        else if (attribute.name == "ref")
            read = take(attribute, range_, tag.range);
        if (!read) {
            decline();
            break;
        }
    }
    return tag;
}

void SheetScanner::startElement(SheetElement element, bool empty) {
    rootSeen_ = true;
    const SheetTag tag = tagOf(element);
    if (declined_)
        return;
    openCells_ += element == SheetElement::Cell;
    events_.start(tag);
    if (empty)
        closeElement(element);
}

void SheetScanner::closeElement(SheetElement element) {
    openCells_ -= element == SheetElement::Cell;
    events_.end(element);
    openEnds_.pop_back();
    openNames_.truncate(openEnds_.empty() ? 0 : openEnds_.back());
    const auto depth = qsizetype(openEnds_.size());
    while (!prefixes_.empty() && prefixes_.back().depth > depth)
        prefixes_.pop_back();
    ended_ = openEnds_.empty();
}

const char* SheetScanner::decline() {
    declined_ = true;
    return nullptr;
}

} // namespace tokivane
