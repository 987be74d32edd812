#include "core/fsuipc_server_protocol.h"

#include <gtest/gtest.h>

namespace ulvo::testbed {
namespace {

using Kind = FsuipcServerCommand::Kind;

TEST(FsuipcServerProtocol, ParsesEachCommandAndRefusesWhatIsOutOfRange) {
    struct Case {
        const char* line;
        Kind kind;
        uint64_t number;
        uint32_t offset;
        uint32_t delayMs;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"quit", Kind::kQuit, 0, 0, 0, {}},
        {"count\r", Kind::kCount, 0, 0, 0, {}},
        {"reply 0", Kind::kReply, 0, 0, 0, {}},
        {"  reply   7  ", Kind::kReply, 7, 0, 0, {}},
        {"slow 2 2100", Kind::kSlow, 2, 0, 2100, {}},
        {"slow 100 60000", Kind::kSlow, 100, 0, 60000, {}},
        {"slow 101 1", Kind::kInvalid, 0, 0, 0, {}},
        {"slow 1 60001", Kind::kInvalid, 0, 0, 0, {}},
        {"slow 1", Kind::kInvalid, 0, 0, 0, {}},
        {"badversion 3304", Kind::kBadVersion, 0, 0x3304, 0, {}},
        {"badversion 3308", Kind::kBadVersion, 0, 0x3308, 0, {}},
        {"badversion 330A", Kind::kInvalid, 0, 0, 0, {}},
        {"set 9400 1205", Kind::kSet, 0, 0x9400, 0, {0x12, 0x05}},
        {"set ffff ab", Kind::kSet, 0, 0xFFFF, 0, {0xAB}},
        {"set FFFF ABCD", Kind::kInvalid, 0, 0, 0, {}},  // runs past the space
        {"set 10000 00", Kind::kInvalid, 0, 0, 0, {}},
        {"set 9400 123", Kind::kInvalid, 0, 0, 0, {}},
        {"set 9400 zz", Kind::kInvalid, 0, 0, 0, {}},
        {"set 94x0 00", Kind::kInvalid, 0, 0, 0, {}},
        {"get 9400 2", Kind::kGet, 2, 0x9400, 0, {}},
        {"get 0 65536", Kind::kGet, 65536, 0, 0, {}},
        {"get 1 65536", Kind::kInvalid, 0, 0, 0, {}},
        {"get 9400 0", Kind::kInvalid, 0, 0, 0, {}},
        {"get 9400 -1", Kind::kInvalid, 0, 0, 0, {}},
        {"get 9400 99999999999999999999999", Kind::kInvalid, 0, 0, 0, {}},
        {"log on", Kind::kLog, 0, 0, 0, {}},
        {"log maybe", Kind::kInvalid, 0, 0, 0, {}},
        {"quit now", Kind::kInvalid, 0, 0, 0, {}},
        {"", Kind::kInvalid, 0, 0, 0, {}},
        {"reply 1 2 3", Kind::kInvalid, 0, 0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const FsuipcServerCommand command = ParseFsuipcServerCommand(c.line);
        EXPECT_EQ(command.kind, c.kind);
        EXPECT_EQ(command.error.empty(), c.kind != Kind::kInvalid);
        if (c.kind != Kind::kInvalid) {
            EXPECT_EQ(command.number, c.number);
            EXPECT_EQ(command.offset, c.offset);
            EXPECT_EQ(command.delayMs, c.delayMs);
            EXPECT_EQ(command.bytes, c.bytes);
        }
    }
    EXPECT_TRUE(ParseFsuipcServerCommand("log on").on);
    EXPECT_FALSE(ParseFsuipcServerCommand("log off").on);
}

TEST(FsuipcServerProtocol, ExchangeLineNamesSectionCountsAndWrites) {
    FsuipcServedExchange exchange;
    exchange.section = "FsasmLib:IPC:2C:1";
    exchange.reply = 1;
    exchange.log.records = 3;
    exchange.log.reads = 2;
    exchange.log.writes.push_back(FsuipcWriteLog{0x330A, {0xD2, 0x07}});
    EXPECT_EQ(FormatServedExchange(exchange),
              "exchange FsasmLib:IPC:2C:1 reply 1 records 3 reads 2 writes 330A=D207");

    // A refused exchange, and a name a client made up to break the line apart.
    FsuipcServedExchange refused;
    refused.reply = 0;
    EXPECT_EQ(FormatServedExchange(refused), "exchange - reply 0 records 0 reads 0 writes");
    refused.section = "a b\nexchange\x80";
    EXPECT_EQ(FormatServedExchange(refused),
              "exchange a?b?exchange? reply 0 records 0 reads 0 writes");
}

}  // namespace
}  // namespace ulvo::testbed
