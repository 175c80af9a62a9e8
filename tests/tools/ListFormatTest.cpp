#include "list/ListFormat.h"

#include "scan/Windows1252.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace pollwick::listfmt {
namespace {

std::string jsonString(std::string_view bytes)
{
    std::string out;
    appendJsonString(out, bytes);
    return out;
}

// Parses `literal` as a JSON string; empty optional when it is not valid JSON.
std::optional<QString> parseJsonString(const std::string& literal)
{
    QJsonParseError error{};
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray::fromStdString("[" + literal + "]"), &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray() ||
        !doc.array().at(0).isString()) {
        return std::nullopt;
    }
    return doc.array().at(0).toString();
}

QString characterOf(unsigned char byte)
{
    return QString(QChar(static_cast<char16_t>(cp1252::toUnicode(byte))));
}

ServerRecord sampleRecord()
{
    ServerRecord record;
    record.serverName = "Spring Arena";
    record.gameType = "Battle";
    record.version = "1.24";
    record.players = "3/16";
    record.ipAddress = "   192.0.2.10";
    return record;
}

// --- JSON strings ---------------------------------------------------------

TEST(JsonString, ShortEscapesForQuoteBackslashAndLineEnds)
{
    EXPECT_EQ(jsonString("a\"b"), R"("a\"b")");
    EXPECT_EQ(jsonString("a\\b"), R"("a\\b")");
    EXPECT_EQ(jsonString("\n"), R"("\n")");
    EXPECT_EQ(jsonString("\r"), R"("\r")");
    EXPECT_EQ(jsonString("\t"), R"("\t")");
    EXPECT_EQ(jsonString(""), R"("")");
    EXPECT_EQ(jsonString("/"), R"("/")");
}

TEST(JsonString, OtherControlCharactersAsUnicodeEscapes)
{
    EXPECT_EQ(jsonString(std::string_view("\0", 1)), R"("\u0000")");
    EXPECT_EQ(jsonString("\x01"), R"("\u0001")");
    EXPECT_EQ(jsonString("\x08"), R"("\u0008")");
    EXPECT_EQ(jsonString("\x0C"), R"("\u000c")");
    EXPECT_EQ(jsonString("\x14\x14"), R"("\u0014\u0014")");
    EXPECT_EQ(jsonString("\x1F"), R"("\u001f")");
    EXPECT_EQ(jsonString("\x7F"), R"("\u007f")");
    // The five bytes that Windows-1252 leaves undefined are C1 controls.
    EXPECT_EQ(jsonString("\x81\x8D\x8F\x90\x9D"), R"("\u0081\u008d\u008f\u0090\u009d")");
}

TEST(JsonString, SectionSignAndOtherLettersAsUtf8)
{
    EXPECT_EQ(jsonString("\xA7"), "\"\xC2\xA7\"");
    EXPECT_EQ(jsonString("Caf\xE9"), "\"Caf\xC3\xA9\"");
    EXPECT_EQ(jsonString("\x80"), "\"\xE2\x82\xAC\""); // euro sign
    EXPECT_EQ(jsonString("\x9F"), "\"\xC5\xB8\""); // Y with diaeresis
}

TEST(JsonString, EveryByteMakesValidJsonThatReadsBackAsItsCharacter)
{
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        const std::string literal = jsonString(std::string(1, static_cast<char>(byte)));
        const auto parsed = parseJsonString(literal);
        ASSERT_TRUE(parsed.has_value()) << "byte " << b << ": " << literal;
        EXPECT_EQ(*parsed, characterOf(byte)) << "byte " << b;
        // Nothing that a terminal would act on is left raw.
        for (const char c : literal) {
            const auto u = static_cast<unsigned char>(c);
            EXPECT_TRUE(u >= 0x20 && u != 0x7F) << "byte " << b;
        }
    }
}

TEST(JsonString, AllBytesInOneStringReadBack)
{
    std::string all;
    QString expected;
    for (int b = 255; b >= 0; --b) {
        all += static_cast<char>(b);
        expected += characterOf(static_cast<unsigned char>(b));
    }
    const auto parsed = parseJsonString(jsonString(all));
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(*parsed, expected);
}

// --- JSON lines -------------------------------------------------------------

TEST(JsonLine, HasExactlyTheRecordKeysInOrderAndEndsTheLine)
{
    const std::string line = jsonLine(sampleRecord(), std::nullopt);
    EXPECT_EQ(line,
              R"({"serverName":"Spring Arena","gameType":"Battle","version":"1.24",)"
              R"("players":"3/16","ipAddress":"   192.0.2.10","isPrivate":false})"
              "\n");
}

TEST(JsonLine, VerdictOnlyWhenGivenAndPrivateAsBoolean)
{
    ServerRecord record = sampleRecord();
    record.isPrivate = true;
    record.ipAddress = "Private";
    for (const MatchVerdict verdict : {MatchVerdict::NoMatch, MatchVerdict::PassedOverPrivate,
                                       MatchVerdict::PassedOverFull, MatchVerdict::Match}) {
        const std::string line = jsonLine(record, verdict);
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line));
        ASSERT_TRUE(doc.isObject()) << line;
        const QJsonObject object = doc.object();
        EXPECT_EQ(object.keys().size(), 7);
        EXPECT_EQ(object.value("isPrivate"), QJsonValue(true));
        EXPECT_EQ(object.value("verdict").toString().toStdString(), toString(verdict));
    }
    const QJsonObject plain =
        QJsonDocument::fromJson(QByteArray::fromStdString(jsonLine(record, std::nullopt))).object();
    EXPECT_EQ(plain.keys().size(), 6);
    EXPECT_FALSE(plain.contains("verdict"));
}

TEST(JsonLine, HostileFieldsStillMakeOneValidLine)
{
    ServerRecord record;
    record.serverName = std::string("\"}\n{\"x\":1\r\x00\\", 12);
    record.gameType = "\x1B[2J";
    record.version = "\xA7\xA7";
    record.players = "\x7F";
    record.ipAddress = "\x90";
    const std::string line = jsonLine(record, MatchVerdict::NoMatch);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << line;
    EXPECT_EQ(doc.object().value("serverName").toString(),
              QString::fromUtf8(cp1252::toUtf8(record.serverName)));
    EXPECT_EQ(doc.object().value("version").toString(), QStringLiteral(u"\u00A7\u00A7"));
}

// --- Table ----------------------------------------------------------------

TEST(Table, CellsShowControlCharactersAsHexAndKeepLetters)
{
    EXPECT_EQ(cellText("a\x14"
                       "b"),
              "a\\x14b");
    EXPECT_EQ(cellText("\r\n\x7F\x81"), "\\x0d\\x0a\\x7f\\x81");
    EXPECT_EQ(cellText("a\\x14"), "a\\\\x14");
    EXPECT_EQ(cellText("Caf\xE9 \xA7"), "Caf\xC3\xA9 \xC2\xA7");
    EXPECT_EQ(displayWidth("Caf\xC3\xA9"), 4U);
    EXPECT_EQ(displayWidth("\xE2\x82\xAC"), 1U);
}

TEST(Table, ColumnsLineUpByCharactersNotBytes)
{
    ServerTable table(false);
    ServerRecord a = sampleRecord();
    a.serverName = "Caf\xE9";
    ServerRecord b = sampleRecord();
    b.serverName = "Cafe Long Name";
    b.gameType = "Treasure";
    table.add(a);
    table.add(b);
    EXPECT_EQ(table.rows(), 2U);
    EXPECT_EQ(table.render(),
              "Server Name     Type      Version  Players  IP Address\n"
              "Caf\xC3\xA9            Battle    1.24     3/16        192.0.2.10\n"
              "Cafe Long Name  Treasure  1.24     3/16        192.0.2.10\n");
}

TEST(Table, VerdictColumnOnlyInWalkMode)
{
    ServerTable table(true);
    table.add(sampleRecord(), MatchVerdict::PassedOverFull);
    table.add(sampleRecord(), MatchVerdict::Match);
    const std::string text = table.render();
    EXPECT_EQ(text,
              "Server Name   Type    Version  Players  IP Address     Verdict\n"
              "Spring Arena  Battle  1.24     3/16        192.0.2.10  PassedOverFull\n"
              "Spring Arena  Battle  1.24     3/16        192.0.2.10  Match\n");
    table.clear();
    EXPECT_EQ(table.render(), "Server Name  Type  Version  Players  IP Address  Verdict\n");
}

TEST(Table, NoSpacesLeftAtLineEnds)
{
    ServerTable table(false);
    ServerRecord empty;
    table.add(empty);
    const std::string text = table.render();
    EXPECT_EQ(text.find(" \n"), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with("\n\n"));
}

} // namespace
} // namespace pollwick::listfmt
