// pollwick-list's output of arbitrary records: every JSON line must parse as
// strict JSON (RFC 8259, UTF-8 only, no lone surrogates) into exactly the
// keys and types that readers of the JSON Lines rely on, and its strings
// must decode back to the record's bytes read as Windows-1252. The table
// must stay plain, valid UTF-8 without control characters.
//
// Input: byte 0 (bit 0 isPrivate, bits 1-3 the verdict: 0-3 a verdict,
// otherwise none); the rest split at 0x1F into name, game type, version,
// players and address. The whole input is also written as one JSON string.
#include "FuzzInput.h"
#include "list/ListFormat.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace {

using pollwick::MatchVerdict;
using pollwick::ServerRecord;

// Windows-1252's characters for 0x80-0x9F; the five undefined bytes stand
// for the C1 control of the same value. Every other byte is its own code.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t codeOf(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0x9F ? kHigh[byte - 0x80U] : char32_t{byte};
}

std::u32string expectedText(std::string_view bytes)
{
    std::u32string out;
    for (const char c : bytes) {
        out += codeOf(static_cast<unsigned char>(c));
    }
    return out;
}

// A strict JSON reader: one value, nothing but white space around it.
struct Value;
using Object = std::vector<std::pair<std::u32string, Value>>;
struct Value {
    std::variant<std::monostate, bool, double, std::u32string, Object, std::vector<Value>> data;
};

class Reader
{
public:
    explicit Reader(std::string_view text)
        : m_text(text)
    { }

    // The document's one value, or nothing when the text is not JSON.
    std::optional<Value> document()
    {
        skipSpace();
        std::optional<Value> value = readValue(0);
        skipSpace();
        if (!value || m_at != m_text.size()) {
            return std::nullopt;
        }
        return value;
    }

    // The code points of a JSON string that starts here, or nothing.
    std::optional<std::u32string> readString()
    {
        if (!take('"')) {
            return std::nullopt;
        }
        std::u32string out;
        for (;;) {
            if (m_at >= m_text.size()) {
                return std::nullopt;
            }
            const auto c = static_cast<unsigned char>(m_text[m_at]);
            if (c == '"') {
                ++m_at;
                return out;
            }
            if (c < 0x20) {
                return std::nullopt; // control characters must be escaped
            }
            if (c == '\\') {
                ++m_at;
                const std::optional<char32_t> escaped = readEscape();
                if (!escaped) {
                    return std::nullopt;
                }
                out += *escaped;
                continue;
            }
            const std::optional<char32_t> decoded = readUtf8();
            if (!decoded) {
                return std::nullopt;
            }
            out += *decoded;
        }
    }

    [[nodiscard]] bool atEnd() const { return m_at == m_text.size(); }

private:
    static constexpr int kMaxDepth = 64;

    bool take(char c)
    {
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }
    bool takeWord(std::string_view word)
    {
        if (m_text.substr(m_at, word.size()) == word) {
            m_at += word.size();
            return true;
        }
        return false;
    }
    void skipSpace()
    {
        while (m_at < m_text.size() &&
               (m_text[m_at] == ' ' || m_text[m_at] == '\t' || m_text[m_at] == '\n' ||
                m_text[m_at] == '\r')) {
            ++m_at;
        }
    }

    std::optional<Value> readValue(int depth)
    {
        if (depth > kMaxDepth || m_at >= m_text.size()) {
            return std::nullopt;
        }
        const char c = m_text[m_at];
        if (c == '{') {
            return readObject(depth);
        }
        if (c == '[') {
            return readArray(depth);
        }
        if (c == '"') {
            std::optional<std::u32string> text = readString();
            return text ? std::optional<Value>(Value{std::move(*text)}) : std::nullopt;
        }
        if (takeWord("true")) {
            return Value{true};
        }
        if (takeWord("false")) {
            return Value{false};
        }
        if (takeWord("null")) {
            return Value{std::monostate{}};
        }
        return readNumber();
    }

    std::optional<Value> readObject(int depth)
    {
        ++m_at;
        Object members;
        skipSpace();
        if (take('}')) {
            return Value{std::move(members)};
        }
        for (;;) {
            skipSpace();
            std::optional<std::u32string> key = readString();
            skipSpace();
            if (!key || !take(':')) {
                return std::nullopt;
            }
            skipSpace();
            std::optional<Value> value = readValue(depth + 1);
            if (!value) {
                return std::nullopt;
            }
            members.emplace_back(std::move(*key), std::move(*value));
            skipSpace();
            if (take('}')) {
                return Value{std::move(members)};
            }
            if (!take(',')) {
                return std::nullopt;
            }
        }
    }

    std::optional<Value> readArray(int depth)
    {
        ++m_at;
        std::vector<Value> items;
        skipSpace();
        if (take(']')) {
            return Value{std::move(items)};
        }
        for (;;) {
            skipSpace();
            std::optional<Value> value = readValue(depth + 1);
            if (!value) {
                return std::nullopt;
            }
            items.push_back(std::move(*value));
            skipSpace();
            if (take(']')) {
                return Value{std::move(items)};
            }
            if (!take(',')) {
                return std::nullopt;
            }
        }
    }

    // -? (0 | [1-9][0-9]*) (. [0-9]+)? ([eE] [+-]? [0-9]+)?; the value itself
    // does not matter here.
    std::optional<Value> readNumber()
    {
        const auto digits = [this] {
            std::size_t n = 0;
            while (m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9') {
                ++m_at;
                ++n;
            }
            return n;
        };
        take('-');
        if (take('0')) {
            // no leading zeros
        } else if (digits() == 0) {
            return std::nullopt;
        }
        if (take('.') && digits() == 0) {
            return std::nullopt;
        }
        if (take('e') || take('E')) {
            if (!take('+')) {
                take('-');
            }
            if (digits() == 0) {
                return std::nullopt;
            }
        }
        return Value{0.0};
    }

    std::optional<unsigned> hex4()
    {
        if (m_text.size() - m_at < 4) {
            return std::nullopt;
        }
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_at++];
            value <<= 4U;
            if (c >= '0' && c <= '9') {
                value |= static_cast<unsigned>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                value |= static_cast<unsigned>(c - 'a' + 10);
            } else if (c >= 'A' && c <= 'F') {
                value |= static_cast<unsigned>(c - 'A' + 10);
            } else {
                return std::nullopt;
            }
        }
        return value;
    }

    std::optional<char32_t> readEscape()
    {
        if (m_at >= m_text.size()) {
            return std::nullopt;
        }
        const char c = m_text[m_at++];
        switch (c) {
        case '"':
            return U'"';
        case '\\':
            return U'\\';
        case '/':
            return U'/';
        case 'b':
            return U'\b';
        case 'f':
            return U'\f';
        case 'n':
            return U'\n';
        case 'r':
            return U'\r';
        case 't':
            return U'\t';
        case 'u':
            break;
        default:
            return std::nullopt;
        }
        const std::optional<unsigned> unit = hex4();
        if (!unit) {
            return std::nullopt;
        }
        if (*unit >= 0xDC00 && *unit <= 0xDFFF) {
            return std::nullopt; // a low surrogate alone
        }
        if (*unit < 0xD800 || *unit > 0xDBFF) {
            return static_cast<char32_t>(*unit);
        }
        if (!take('\\') || !take('u')) {
            return std::nullopt;
        }
        const std::optional<unsigned> low = hex4();
        if (!low || *low < 0xDC00 || *low > 0xDFFF) {
            return std::nullopt;
        }
        return static_cast<char32_t>(0x10000 + ((*unit - 0xD800) << 10U) + (*low - 0xDC00));
    }

    // One well-formed UTF-8 sequence: shortest form, no surrogates, at most
    // U+10FFFF.
    std::optional<char32_t> readUtf8()
    {
        const auto lead = static_cast<unsigned char>(m_text[m_at]);
        std::size_t length = 0;
        char32_t code = 0;
        if (lead < 0x80) {
            ++m_at;
            return char32_t{lead};
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1FU;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0FU;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07U;
        } else {
            return std::nullopt;
        }
        if (m_text.size() - m_at < length) {
            return std::nullopt;
        }
        for (std::size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(m_text[m_at + i]);
            if ((next & 0xC0U) != 0x80U) {
                return std::nullopt;
            }
            code = (code << 6U) | (next & 0x3FU);
        }
        const char32_t shortest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (code < shortest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return std::nullopt;
        }
        m_at += length;
        return code;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

std::u32string key(std::string_view ascii)
{
    return {ascii.begin(), ascii.end()};
}

const std::u32string* stringMember(const Object& object, std::size_t i, std::string_view name)
{
    FUZZ_REQUIRE(i < object.size());
    FUZZ_REQUIRE(object[i].first == key(name));
    const auto* text = std::get_if<std::u32string>(&object[i].second.data);
    FUZZ_REQUIRE(text != nullptr);
    return text;
}

// Plain output: well-formed UTF-8 and no control character at all, so that
// nothing a list server sends can steer a terminal.
void checkPlain(std::string_view text, bool newlinesAllowed)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '\n' && newlinesAllowed) {
            continue;
        }
        const auto b = static_cast<unsigned char>(c);
        FUZZ_REQUIRE(b >= 0x20 && b != 0x7F);
        quoted += c == '"' || c == '\\' ? ' ' : c;
    }
    quoted += '"';
    // Read back as a JSON string: the same strict UTF-8 rules.
    Reader utf8(quoted);
    const std::optional<std::u32string> decoded = utf8.readString();
    FUZZ_REQUIRE(decoded.has_value());
    for (const char32_t c : *decoded) {
        FUZZ_REQUIRE(!(c >= 0x80 && c <= 0x9F));
    }
}

void checkJsonLine(const ServerRecord& record, std::optional<MatchVerdict> verdict)
{
    const std::string line = pollwick::listfmt::jsonLine(record, verdict);
    FUZZ_REQUIRE(!line.empty() && line.back() == '\n');
    FUZZ_REQUIRE(line.find('\n') == line.size() - 1);
    // Nothing raw that a terminal would act on: every control is escaped.
    for (const char c : line.substr(0, line.size() - 1)) {
        const auto b = static_cast<unsigned char>(c);
        FUZZ_REQUIRE(b >= 0x20 && b != 0x7F);
    }

    Reader reader(std::string_view(line).substr(0, line.size() - 1));
    const std::optional<Value> document = reader.document();
    FUZZ_REQUIRE(document.has_value());
    const auto* object = std::get_if<Object>(&document->data);
    FUZZ_REQUIRE(object != nullptr);
    FUZZ_REQUIRE(object->size() == (verdict ? 7U : 6U));

    const std::array<std::pair<std::string_view, const std::string*>, 5> texts = {{
        {"serverName", &record.serverName},
        {"gameType", &record.gameType},
        {"version", &record.version},
        {"players", &record.players},
        {"ipAddress", &record.ipAddress},
    }};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::u32string* text = stringMember(*object, i, texts[i].first);
        FUZZ_REQUIRE(*text == expectedText(*texts[i].second));
    }
    FUZZ_REQUIRE((*object)[5].first == key("isPrivate"));
    const bool* isPrivate = std::get_if<bool>(&(*object)[5].second.data);
    FUZZ_REQUIRE(isPrivate != nullptr && *isPrivate == record.isPrivate);
    if (verdict) {
        const std::u32string* text = stringMember(*object, 6, "verdict");
        FUZZ_REQUIRE(*text == expectedText(pollwick::toString(*verdict)));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view whole = pollwick::fuzz::asText(data, size);
    std::string_view input = whole;
    const pollwick::fuzz::Header header(input, 1);
    const auto fields = pollwick::fuzz::splitFields(input, '\x1f');

    ServerRecord record;
    record.serverName = pollwick::fuzz::field(fields, 0);
    record.gameType = pollwick::fuzz::field(fields, 1);
    record.version = pollwick::fuzz::field(fields, 2);
    record.players = pollwick::fuzz::field(fields, 3);
    record.ipAddress = pollwick::fuzz::field(fields, 4);
    record.isPrivate = header.bit(0, 0);
    const unsigned verdictBits = (header[0] >> 1U) & 7U;
    std::optional<MatchVerdict> verdict;
    if (verdictBits < 4) {
        verdict = static_cast<MatchVerdict>(verdictBits);
    }
    checkJsonLine(record, verdict);

    // Any bytes at all make one JSON string that decodes back to them.
    std::string quoted;
    pollwick::listfmt::appendJsonString(quoted, whole);
    Reader reader(quoted);
    const std::optional<std::u32string> decoded = reader.readString();
    FUZZ_REQUIRE(decoded.has_value() && reader.atEnd());
    FUZZ_REQUIRE(*decoded == expectedText(whole));

    // The table: plain text, header and one line per row.
    pollwick::listfmt::ServerTable table(verdict.has_value());
    table.add(record, verdict);
    ServerRecord second = record;
    second.serverName = std::string(whole.substr(0, 40));
    table.add(second, verdict);
    const std::string rendered = table.render();
    checkPlain(rendered, true);
    std::size_t lines = 0;
    std::size_t start = 0;
    for (std::size_t at = rendered.find('\n'); at != std::string::npos;
         at = rendered.find('\n', start)) {
        const std::string_view row = std::string_view(rendered).substr(start, at - start);
        FUZZ_REQUIRE(row.empty() || row.back() != ' ');
        ++lines;
        start = at + 1;
    }
    FUZZ_REQUIRE(start == rendered.size());
    FUZZ_REQUIRE(lines == 3);
    checkPlain(pollwick::listfmt::cellText(whole), false);
    return 0;
}
