// The JSON offset protocol as a panel speaks it, one connection, over an offset
// space the test fills: declare, read once, at an interval and on change, write,
// stop and remove, about, and the error replies.
#include <gtest/gtest.h>

#include "core/memory_offset_space.h"
#include "web/json_session.h"

namespace ulvo::tools::web {
namespace {

using nlohmann::json;

class JsonSessionTest : public testing::Test {
  protected:
    JsonSessionTest() {
        space.Set(0x9400, {0xFF, 0xFF});
        space.Set(0x943A, {0xE0, 0x2E});  // 12000
        space.Set(0x9402, {0x08});
    }

    // The replies to one request sent at `ms`.
    std::vector<json> Send(const std::string& request, double ms = 0) {
        std::vector<std::string> replies;
        session.Handle(request, space, ms, replies);
        return Parsed(replies);
    }
    std::vector<json> Due(double ms) {
        std::vector<std::string> replies;
        session.Due(space, ms, replies);
        return Parsed(replies);
    }
    static std::vector<json> Parsed(const std::vector<std::string>& replies) {
        std::vector<json> parsed;
        for (const std::string& reply : replies) {
            parsed.push_back(json::parse(reply));
        }
        return parsed;
    }
    void DeclareMcp() {
        const auto replies = Send(R"({"command":"offsets.declare","name":"mcp","offsets":[
            {"name":"altWindow","address":37946,"type":"uint","size":2},
            {"name":"lamps","address":37890,"type":"bits","size":1},
            {"name":"commandWord","address":37888,"type":"int","size":2}]})");
        ASSERT_EQ(replies.size(), 1u);
        EXPECT_EQ(replies[0], json::parse(R"({"command":"offsets.declare","name":"mcp",
            "success":true,"errorCode":null,"errorMessage":null})"));
    }

    testbed::MemoryOffsetSpace space;
    JsonSession session{{"", {{"program", "test"}}, {}}};
};

TEST_F(JsonSessionTest, ReadsOnceAndOnChangeWithOnlyWhatChanged) {
    DeclareMcp();
    auto replies = Send(R"({"command":"offsets.read","name":"mcp"})");
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0]["data"], json::parse(R"({"altWindow":12000,"commandWord":-1,
        "lamps":[false,false,false,true,false,false,false,false]})"));
    EXPECT_TRUE(replies[0]["success"]);

    replies =
        Send(R"({"command":"offsets.read","name":"mcp","interval":100,"changesOnly":true})", 1000);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0]["data"].size(), 3u);  // a subscription starts with every value
    EXPECT_EQ(Due(1099).size(), 0u);           // not yet due
    EXPECT_EQ(Due(1100).size(), 0u);           // due, but nothing changed
    space.Set(0x943A, {0xF0, 0x2E});           // 12016
    replies = Due(1200);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0]["data"], json::parse(R"({"altWindow":12016})"));
    // A one-shot read while the subscription runs gets everything.
    EXPECT_EQ(Send(R"({"command":"offsets.read","name":"mcp"})", 1210)[0]["data"].size(), 3u);
    EXPECT_EQ(Send(R"({"command":"offsets.stop","name":"mcp"})", 1220)[0]["success"], true);
    space.Set(0x943A, {0x00, 0x2F});
    EXPECT_EQ(Due(1400).size(), 0u);
}

TEST_F(JsonSessionTest, AReadWaitsUntilItsOffsetsWereReadOnce) {
    Send(R"({"command":"offsets.declare","name":"fresh","offsets":[
        {"name":"control","address":12560,"type":"uint","size":4}]})");
    EXPECT_EQ(session.Wanted(), (std::vector<OffsetRange>{{0x3110, 4}}));
    EXPECT_EQ(Send(R"({"command":"offsets.read","name":"fresh"})").size(), 0u);
    space.Set(0x3110, {1, 0, 0, 0});
    const auto replies = Due(5);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0]["data"]["control"], 1);
}

TEST_F(JsonSessionTest, WritesByNameWholeOrNotAtAll) {
    DeclareMcp();
    auto replies = Send(R"({"command":"offsets.write","name":"mcp","offsets":[
        {"name":"commandWord","value":1298},{"name":"lamps","value":[{"bit":5,"value":true}]}]})");
    EXPECT_EQ(replies[0]["success"], true);
    ASSERT_EQ(space.writes.size(), 2u);
    EXPECT_EQ(space.writes[0], (WriteRequest{0x9400, {0x12, 0x05}, {0xFF, 0xFF}, 0}));
    EXPECT_EQ(space.writes[1], (WriteRequest{0x9402, {0x20}, {0x20}, 0}));
    replies = Send(R"({"command":"offsets.write","name":"mcp","offsets":[
        {"name":"commandWord","value":1297},{"name":"altWindow","value":-5}]})");
    EXPECT_EQ(replies[0]["errorCode"], "BadValue");
    EXPECT_EQ(space.writes.size(), 2u);  // the good first half was not written either
}

TEST_F(JsonSessionTest, AnswersEveryBadRequestWithItsCode) {
    DeclareMcp();
    const struct {
        const char* code;
        const char* request;
    } cases[] = {
        {"BadRequest", R"(not json)"},
        {"BadRequest", R"(["offsets.read"])"},
        {"UnknownCommand", R"({"command":"offsets.fly","name":"mcp"})"},
        {"NotSupported", R"({"command":"vars.read","name":"v"})"},
        {"UnknownGroup", R"({"command":"offsets.read","name":"nope"})"},
        {"BadDeclaration", R"({"command":"offsets.declare","name":"g","offsets":[
            {"name":"a","address":37888,"type":"bcd","size":2}]})"},
        {"BadDeclaration", R"({"command":"offsets.declare","name":"g","offsets":[
            {"name":"a","address":65535,"type":"uint","size":2}]})"},
        {"BadDeclaration", R"({"command":"offsets.declare","name":"g","offsets":[
            {"name":"a","address":"0x9400","type":"uint","size":2}]})"},
        {"BadDeclaration", R"({"command":"offsets.declare","name":"g","offsets":[
            {"name":"a","address":1,"type":"uint","size":1},
            {"name":"a","address":2,"type":"uint","size":1}]})"},
        {"UnknownName", R"({"command":"offsets.write","name":"mcp","offsets":[
            {"name":"nope","value":1}]})"},
        {"UnknownName", R"({"command":"offsets.write","name":"mcp","offsets":[
            {"address":37888,"value":1}]})"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.request);
        const auto replies = Send(c.request);
        ASSERT_EQ(replies.size(), 1u);
        EXPECT_EQ(replies[0]["success"], false);
        EXPECT_EQ(replies[0]["errorCode"], c.code);
        EXPECT_TRUE(replies[0]["errorMessage"].is_string());
    }
    EXPECT_EQ(Send(R"({"command":"about.read","name":"about"})")[0]["data"]["program"], "test");
    EXPECT_EQ(Send(R"({"command":"offsets.remove","name":"mcp"})")[0]["success"], true);
    EXPECT_EQ(Send(R"({"command":"offsets.read","name":"mcp"})")[0]["errorCode"], "UnknownGroup");
    EXPECT_TRUE(session.Wanted().empty());
}

TEST(JsonSession, ARefusedClientReadsButCannotWrite) {
    testbed::MemoryOffsetSpace space;
    JsonSession session({"a page from http://x.example may only read", {}, {}});
    std::vector<std::string> replies;
    session.Handle(R"({"command":"offsets.declare","name":"c","offsets":[
        {"name":"word","address":37888,"type":"uint","size":2}]})",
                   space, 0, replies);
    session.Handle(R"({"command":"offsets.write","name":"c","offsets":[
        {"name":"word","value":1298}]})",
                   space, 0, replies);
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(json::parse(replies[1])["errorCode"], "WriteRefused");
    EXPECT_TRUE(space.writes.empty());
}

TEST(JsonSession, AFloodIsAnsweredBusyAndTheAllowanceComesBack) {
    testbed::MemoryOffsetSpace space;
    JsonSession session({"", {}, {.burst = 3, .requestsPerSecond = 10}});
    std::vector<std::string> replies;
    for (int i = 0; i < 5; ++i) {
        session.Handle(R"({"command":"about.read","name":"a"})", space, 0, replies);
    }
    session.Handle(R"({"command":"about.read","name":"a"})", space, 100, replies);
    std::vector<std::string> codes;
    for (const std::string& reply : replies) {
        codes.push_back(json::parse(reply)["errorCode"].is_null() ? "ok" : "Busy");
    }
    EXPECT_EQ(codes, (std::vector<std::string>{"ok", "ok", "ok", "Busy", "Busy", "ok"}));
}

}  // namespace
}  // namespace ulvo::tools::web
