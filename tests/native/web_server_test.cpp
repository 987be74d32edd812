// The web server on real sockets, with Beast's client: what it serves and to
// whom, the origin rules, bad frames, and many clients with one that never reads.
// The server is fed by an in-memory FSUIPC through the plug-in's own IPC client.
#include <gtest/gtest.h>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>
#include <chrono>
#include <thread>

#include "core/memory_fsuipc.h"
#include "web/link_access.h"
#include "web/web_server.h"

namespace ulvo::tools::web {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;
using nlohmann::json;
using Client = websocket::stream<tcp::socket>;

class WebServerTest : public testing::Test {
  protected:
    void Start(WebServerSetup setup = {}) {
        setup.options.port = 0;
        setup.program = "ulvo-monitor";
        std::string error;
        server = WebServer::Start(setup, error);
        ASSERT_NE(server, nullptr) << error;
        host = "localhost:" + std::to_string(server->Port());
        uint32_t result = 0;
        ASSERT_TRUE(link.Open(result));
        Exchange();
    }
    void Exchange() { ASSERT_TRUE(server->Space().Exchange(access)); }

    http::response<http::string_body> Get(const std::string& target, const std::string& name) {
        tcp::socket socket(io);
        socket.connect({asio::ip::address_v4::loopback(), server->Port()});
        http::request<http::empty_body> request(http::verb::get, target, 11);
        request.set(http::field::host, name);
        http::write(socket, request);
        beast::flat_buffer buffer;
        http::response<http::string_body> response;
        http::read(socket, buffer, response);
        return response;
    }

    // A WebSocket client; `origin` empty for a program that is no browser.
    std::unique_ptr<Client> Connect(const std::string& target, const std::string& origin,
                                    beast::error_code& code, const std::string& protocol = "") {
        auto client = std::make_unique<Client>(io);
        client->next_layer().connect({asio::ip::address_v4::loopback(), server->Port()});
        client->set_option(websocket::stream_base::decorator([=](websocket::request_type& r) {
            if (!origin.empty()) {
                r.set(http::field::origin, origin);
            }
            if (!protocol.empty()) {
                r.set(http::field::sec_websocket_protocol, protocol);
            }
        }));
        websocket::response_type response;
        client->handshake(response, host, target, code);
        chosenProtocol = std::string(response[http::field::sec_websocket_protocol]);
        return client;
    }
    std::unique_ptr<Client> Connect(const std::string& target, const std::string& origin) {
        beast::error_code code;
        auto client = Connect(target, origin, code);
        EXPECT_FALSE(code) << code.message();
        return client;
    }
    static json Receive(Client& client) {
        beast::flat_buffer buffer;
        client.read(buffer);
        return json::parse(beast::buffers_to_string(buffer.data()));
    }
    static json Ask(Client& client, const std::string& request) {
        client.write(asio::buffer(request));
        return Receive(client);
    }

    testbed::MemoryFsuipc fsuipc;
    fsuipc::FsuipcLink link{fsuipc};
    LinkAccess access{link};
    std::unique_ptr<WebServer> server;
    asio::io_context io;
    std::string host;
    std::string chosenProtocol;
};

const char* kDeclare = R"({"command":"offsets.declare","name":"cmd","offsets":[
    {"name":"commandWord","address":37888,"type":"uint","size":2}]})";
const char* kWrite = R"({"command":"offsets.write","name":"cmd","offsets":[
    {"name":"commandWord","value":1298}]})";

TEST_F(WebServerTest, ServesThePageOnLoopbackToItsOwnNamesOnly) {
    Start();
    EXPECT_EQ(server->Urls(), (std::vector<std::string>{"http://" + host + "/"}));
    const auto page = Get("/", host);
    EXPECT_EQ(page.result(), http::status::ok);
    EXPECT_NE(page.body().find("<title>Ulvo2FSUIPC cockpit</title>"), std::string::npos);
    EXPECT_EQ(page["X-Frame-Options"], "DENY");
    EXPECT_EQ(json::parse(Get("/cockpit.json", host).body())["program"], "ulvo-monitor");
    EXPECT_EQ(Get("/panel.js", host)[http::field::content_type], "text/javascript; charset=utf-8");
    EXPECT_EQ(Get("/secret", host).result(), http::status::not_found);
    EXPECT_EQ(Get("/", "attacker.example:" + std::to_string(server->Port())).result(),
              http::status::misdirected_request);
    // The computer's own network addresses do not answer.
    beast::error_code code;
    for (const auto& entry : tcp::resolver(io).resolve(asio::ip::host_name(), "", code)) {
        const asio::ip::address address = entry.endpoint().address();
        if (!address.is_loopback()) {
            tcp::socket socket(io);
            socket.connect({address, server->Port()}, code);
            EXPECT_TRUE(code) << address.to_string() << " answered";
        }
    }
}

TEST_F(WebServerTest, ThePagesSocketTakesItsOwnOriginAndSendsTheBlockAndTheClicks) {
    Start();
    beast::error_code refused;
    Connect("/live", "http://panel.example", refused);
    EXPECT_EQ(refused, websocket::error::upgrade_declined);
    Connect("/live", "", refused);
    EXPECT_EQ(refused, websocket::error::upgrade_declined);

    fsuipc.space.SetU16(0x943A, 12000);
    Exchange();
    auto page = Connect("/live", "http://" + host);
    EXPECT_EQ(Receive(*page)["kind"], "hello");
    EXPECT_EQ(Receive(*page)["values"]["0x943A"]["text"], "12000");
    fsuipc.space.SetU16(0x943A, 0xFFFF);
    Exchange();
    EXPECT_EQ(Receive(*page)["values"], json::parse(R"({"0x943A":{"text":"blank","raw":65535}})"));
    const json answer = Ask(*page, R"({"action":"command","code":1298})");
    EXPECT_EQ(answer, json::parse(R"({"kind":"answer","ok":true,
        "text":"wrote command 1298 at 0x9400"})"));
    Exchange();
    EXPECT_EQ(fsuipc.space.U16(0x9400), 1298);
}

TEST_F(WebServerTest, TheMonitorLetsOnlyNamedOriginsWrite) {
    WebServerSetup setup;
    setup.options.allowedOrigins = {"http://panel.example"};
    Start(setup);
    const struct {
        const char* origin;
        const char* writeError;  // null when the write is taken
    } cases[] = {
        {"http://elsewhere.example", "WriteRefused"},
        {"http://panel.example", nullptr},
        {"", nullptr},  // a program, not a page
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.origin);
        beast::error_code code;
        auto client = Connect("/fsuipc/", c.origin, code, "fsuipc");
        ASSERT_FALSE(code) << code.message();
        EXPECT_EQ(chosenProtocol, "fsuipc");
        EXPECT_EQ(Ask(*client, kDeclare)["success"], true);
        const json reply = Ask(*client, kWrite);
        EXPECT_EQ(reply["errorCode"], c.writeError ? json(c.writeError) : json());
    }
}

TEST_F(WebServerTest, BadFramesAreAnsweredAndATooLargeOneClosesOnlyItsSocket) {
    WebServerSetup setup;
    setup.maxFrameBytes = 1024;
    Start(setup);
    auto client = Connect("/fsuipc", "");
    EXPECT_EQ(Ask(*client, "{\"command\": ")["errorCode"], "BadRequest");
    EXPECT_EQ(Ask(*client, R"({"command":"about.read","name":"a"})")["success"], true);
    client->write(asio::buffer(std::string(2000, ' ')));
    beast::flat_buffer buffer;
    beast::error_code code;
    client->read(buffer, code);
    EXPECT_TRUE(code);
    EXPECT_EQ(client->reason().code, websocket::close_code::too_big);
    auto other = Connect("/fsuipc", "");
    EXPECT_EQ(Ask(*other, R"({"command":"about.read","name":"a"})")["success"], true);
}

TEST_F(WebServerTest, FiftyClientsGetEveryChangeWhileOneThatNeverReadsIsDropped) {
    WebServerSetup setup;
    setup.maxQueuedMessages = 8;
    Start(setup);
    // The silent client asks for much (60 KiB of text), often, and reads nothing.
    std::fill_n(fsuipc.space.bytes.begin(), 60 * 1024, 'x');
    beast::error_code code;
    auto silent = std::make_unique<Client>(io);
    silent->next_layer().open(tcp::v4());
    silent->next_layer().set_option(asio::socket_base::receive_buffer_size(4096));
    silent->next_layer().connect({asio::ip::address_v4::loopback(), server->Port()});
    silent->handshake(host, "/fsuipc/");
    json big = {{"command", "offsets.declare"}, {"name", "big"}, {"offsets", json::array()}};
    for (int i = 0; i < 60; ++i) {
        big["offsets"].push_back({{"name", "s" + std::to_string(i)},
                                  {"address", 1024 * i},
                                  {"type", "string"},
                                  {"size", 1024}});
    }
    silent->write(asio::buffer(big.dump()));
    silent->write(asio::buffer(R"({"command":"offsets.read","name":"big","interval":10})"));

    std::vector<std::unique_ptr<Client>> readers;
    for (int i = 0; i < 49; ++i) {
        readers.push_back(Connect("/fsuipc/", ""));
        Ask(*readers.back(), kDeclare);
        const char* subscribe =
            R"({"command":"offsets.read","name":"cmd","interval":10,"changesOnly":true})";
        EXPECT_EQ(Ask(*readers.back(), subscribe)["data"]["commandWord"], 0);
    }
    for (uint16_t value = 1; value <= 20; ++value) {
        std::this_thread::sleep_for(std::chrono::milliseconds(15));  // the interval has passed
        fsuipc.space.SetU16(0x9400, value);
        Exchange();
        for (auto& reader : readers) {
            EXPECT_EQ(Receive(*reader)["data"]["commandWord"], value);
        }
    }
    for (int wait = 0; wait < 200 && server->Clients() > 49; ++wait) {
        Exchange();
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
    EXPECT_EQ(server->Clients(), 49u);
}

TEST_F(WebServerTest, SaysSoWhenThePortIsTaken) {
    Start();
    WebServerSetup second;
    second.options.port = server->Port();
    std::string error;
    EXPECT_EQ(WebServer::Start(second, error), nullptr);
    EXPECT_EQ(error, "port " + std::to_string(server->Port()) +
                         " is in use by another program (another panel server?): choose "
                         "another with --web PORT");
}

}  // namespace
}  // namespace ulvo::tools::web
