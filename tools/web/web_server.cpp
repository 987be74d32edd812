#include "web/web_server.h"

#include <atomic>
#include <map>
#include <mutex>
#include <thread>

#include "web/embedded_files.h"
#include "web/web_sockets.h"

namespace ulvo::tools::web {

namespace {

constexpr size_t kHeaderLimit = 8 * 1024;
constexpr size_t kBodyLimit = 8 * 1024;
constexpr auto kHttpTimeout = std::chrono::seconds(30);

// The client's offer of sub-protocols: browser panels ask for "fsuipc", and get it.
std::string ChosenProtocol(const Request& request) {
    const std::string offered(request[http::field::sec_websocket_protocol]);
    size_t from = 0;
    while (from <= offered.size()) {
        const size_t comma = std::min(offered.find(',', from), offered.size());
        std::string item = offered.substr(from, comma - from);
        item.erase(0, item.find_first_not_of(' '));
        item.erase(item.find_last_not_of(' ') + 1);
        if (item == "fsuipc") {
            return item;
        }
        from = comma + 1;
    }
    return "";
}

class Server;

// One HTTP connection: files, the layout, and the upgrades to the two sockets.
class HttpSession : public std::enable_shared_from_this<HttpSession> {
  public:
    HttpSession(Server& owner, tcp::socket&& socket) : server(owner), stream(std::move(socket)) {}
    void Read();

  private:
    void Handle();
    void Respond(http::status status, std::string_view type, std::string body);

    Server& server;
    beast::tcp_stream stream;
    beast::flat_buffer buffer;
    std::optional<http::request_parser<http::string_body>> parser;
    std::shared_ptr<http::response<http::string_body>> response;
};

class Server final : public WebServer, public SocketHost {
  public:
    explicit Server(const WebServerSetup& serverSetup) : setup(serverSetup), clientSpace(*this) {
        names = {"localhost", "127.0.0.1", "[::1]"};
    }

    ~Server() override {
        io->stop();
        if (thread.joinable()) {
            thread.join();
        }
        space.OnPublished(nullptr);
        acceptors.clear();
        io.reset();  // ends the sessions while everything they use is still there
    }

    bool Listen(std::string& error) {
        const bool lan = setup.options.lan;
        const asio::ip::address addresses[] = {
            lan ? asio::ip::address(asio::ip::address_v4::any()) : asio::ip::address_v4::loopback(),
            lan ? asio::ip::address(asio::ip::address_v6::any()) : asio::ip::address_v6::loopback(),
        };
        for (const asio::ip::address& address : addresses) {
            beast::error_code code;
            tcp::acceptor acceptor(*io);
            const tcp::endpoint endpoint(address, setup.options.port);
            acceptor.open(endpoint.protocol(), code);
            if (!code && address.is_v6()) {
                acceptor.set_option(asio::ip::v6_only(true), code);
            }
            if (!code) {
                acceptor.bind(endpoint, code);
            }
            if (!code) {
                acceptor.listen(asio::socket_base::max_listen_connections, code);
            }
            if (code && address.is_v4()) {
                error = "port " + std::to_string(setup.options.port) +
                        (code == asio::error::address_in_use
                             ? " is in use by another program (another panel server?)"
                             : " cannot be opened (" + code.message() + ")") +
                        ": choose another with --web PORT";
                return false;
            }
            if (!code && setup.options.port == 0) {  // any free port, the same for both
                setup.options.port = acceptor.local_endpoint().port();
            }
            if (!code) {  // a computer without IPv6 is served on IPv4 alone
                acceptors.push_back(std::move(acceptor));
            }
        }
        if (lan) {
            AddLanNames();
        }
        for (tcp::acceptor& acceptor : acceptors) {
            AcceptNext(acceptor);
        }
        space.OnPublished([this] {
            if (!wakePending.exchange(true)) {
                asio::post(*io, [this] {
                    wakePending = false;
                    ForEach([](Socket& socket) { socket.Published(); });
                });
            }
        });
        thread = std::thread([this] { io->run(); });
        return true;
    }

    // --- WebServer, on the program's threads ---
    std::vector<std::string> Urls() const override {
        std::vector<std::string> urls;
        for (size_t i = 0; i < names.size(); ++i) {
            if (i == 0 || i >= 3) {  // localhost, then the network's names
                urls.push_back("http://" + names[i] + ":" + std::to_string(setup.options.port) +
                               "/");
            }
        }
        return urls;
    }
    uint16_t Port() const override { return setup.options.port; }
    SharedSpace& Space() override { return space; }
    void PublishLab(nlohmann::json state) override {
        asio::post(*io, [this, state = std::move(state)] {
            if (state != labState) {
                labState = state;
                ForEach([](Socket& socket) { socket.Lab(); });
            }
        });
    }
    void Event(std::string text) override {
        asio::post(*io, [this, text = std::move(text)] {
            ForEach([&](Socket& socket) { socket.Event(text); });
        });
    }
    std::vector<PageLine> TakeLines() override {
        std::lock_guard<std::mutex> lock(linesMutex);
        return std::exchange(lines, {});
    }
    void Answer(uint64_t client, bool ok, std::string text) override {
        asio::post(*io, [this, client, ok, text = std::move(text)] {
            const auto found = sockets.find(client);
            const auto socket = found == sockets.end() ? nullptr : found->second.lock();
            if (auto* page = dynamic_cast<PageSocket*>(socket.get())) {
                page->Answer(ok, text);
            }
        });
    }
    size_t Clients() const override { return clientCount; }

    // --- SocketHost, on the server's thread ---
    const WebServerSetup& Setup() const override { return setup; }
    OffsetSpace& ClientSpace() override { return clientSpace; }
    std::shared_ptr<const SpaceImage> Image() override { return space.Latest(); }
    void GroupsChanged() override {
        std::vector<OffsetRange> wanted;
        for (const auto& [id, weak] : sockets) {
            if (const auto socket = std::dynamic_pointer_cast<ProtocolSocket>(weak.lock())) {
                const std::vector<OffsetRange> ranges = socket->Wanted();
                wanted.insert(wanted.end(), ranges.begin(), ranges.end());
            }
        }
        space.Want(std::move(wanted));
    }
    void Line(uint64_t client, std::string text) override {
        std::lock_guard<std::mutex> lock(linesMutex);
        lines.push_back({client, std::move(text)});
    }
    const nlohmann::json& LabState() const override { return labState; }

    // --- for the HTTP sessions ---
    bool HostAllowed(const Request& request) const {
        return web::HostAllowed(std::string(request[http::field::host]), setup.options.port, names);
    }
    void Upgrade(tcp::socket&& socket, const Request& request, bool page) {
        if (clientCount >= setup.maxClients) {
            return;  // the socket closes as it goes
        }
        beast::error_code code;
        const tcp::endpoint remote = socket.remote_endpoint(code);
        Caller caller;
        caller.host = std::string(request[http::field::host]);
        caller.origin = std::string(request[http::field::origin]);
        caller.loopback = !code && remote.address().is_loopback();
        const uint64_t id = ++lastId;
        std::shared_ptr<Socket> created;
        if (page) {
            created = std::shared_ptr<Socket>(new PageSocket(*this, std::move(socket), caller, id),
                                              Forget(id));
        } else {
            created = std::shared_ptr<Socket>(
                new ProtocolSocket(*this, std::move(socket), caller, id), Forget(id));
        }
        ++clientCount;
        sockets[id] = created;
        created->Accept(request, page ? "" : ChosenProtocol(request));
    }
    nlohmann::json Layout() const {
        nlohmann::json layout = CockpitLayout();
        layout["program"] = setup.program;
        layout["version"] = setup.version;
        layout["lab"] = setup.lab;
        return layout;
    }

  private:
    // Reads from the latest picture of the offsets; writes go to the program.
    class ClientSpaceImpl final : public OffsetSpace {
      public:
        explicit ClientSpaceImpl(Server& owner) : server(owner) {}
        bool Read(uint32_t offset, uint32_t size, uint8_t* data) const override {
            const std::shared_ptr<const SpaceImage> image = server.space.Latest();
            if (!image->Known(offset, size)) {
                return false;
            }
            std::copy_n(image->bytes.begin() + offset, size, data);
            return true;
        }
        void Write(WriteRequest write) override { server.space.Ask(std::move(write)); }

      private:
        Server& server;
    };

    // A socket's deleter: it leaves the registry when it ends.
    std::function<void(Socket*)> Forget(uint64_t id) {
        return [this, id](Socket* socket) {
            delete socket;
            --clientCount;
            sockets.erase(id);
            GroupsChanged();
        };
    }

    template <typename Action>
    void ForEach(Action action) {
        for (const auto& [id, weak] : sockets) {
            if (const auto socket = weak.lock(); socket && socket->Open()) {
                action(*socket);
            }
        }
    }

    void AcceptNext(tcp::acceptor& acceptor) {
        acceptor.async_accept([this, &acceptor](beast::error_code code, tcp::socket socket) {
            if (code == asio::error::operation_aborted) {
                return;
            }
            if (!code) {
                // Each change goes out at once: with Nagle's algorithm a second small
                // message would wait for the browser's delayed acknowledgement (40 ms).
                socket.set_option(tcp::no_delay(true), code);
                std::make_shared<HttpSession>(*this, std::move(socket))->Read();
            }
            AcceptNext(acceptor);
        });
    }

    // The addresses tablets open: this computer's own, as the resolver knows them.
    void AddLanNames() {
        beast::error_code code;
        const std::string host = asio::ip::host_name(code);
        tcp::resolver resolver(*io);
        const auto results = resolver.resolve(host, "", code);
        if (!code) {
            for (const auto& result : results) {
                const asio::ip::address address = result.endpoint().address();
                if (!address.is_loopback()) {
                    names.push_back(address.is_v6() ? "[" + address.to_string() + "]"
                                                    : address.to_string());
                }
            }
        }
        if (!host.empty()) {
            names.push_back(host);
        }
    }

    WebServerSetup setup;
    SharedSpace space;
    ClientSpaceImpl clientSpace;
    std::vector<std::string> names;  // localhost, 127.0.0.1, [::1], then the network's
    std::map<uint64_t, std::weak_ptr<Socket>> sockets;
    uint64_t lastId = 0;
    std::atomic<size_t> clientCount{0};
    std::atomic<bool> wakePending{false};
    nlohmann::json labState = nlohmann::json::object();
    std::mutex linesMutex;
    std::vector<PageLine> lines;
    std::unique_ptr<asio::io_context> io = std::make_unique<asio::io_context>(1);
    std::vector<tcp::acceptor> acceptors;
    std::thread thread;
};

void HttpSession::Read() {
    parser.emplace();
    parser->header_limit(kHeaderLimit);
    parser->body_limit(kBodyLimit);
    stream.expires_after(kHttpTimeout);
    http::async_read(stream, buffer, *parser,
                     [self = shared_from_this()](beast::error_code code, size_t) {
                         if (code) {
                             beast::error_code ignored;
                             self->stream.socket().shutdown(tcp::socket::shutdown_send, ignored);
                             return;
                         }
                         self->Handle();
                     });
}

void HttpSession::Handle() {
    const Request& request = parser->get();
    if (!server.HostAllowed(request)) {
        return Respond(http::status::misdirected_request, "text/plain",
                       "This server answers to localhost and its own addresses only.\n");
    }
    const std::string target(request.target());
    if (websocket::is_upgrade(request)) {
        const bool page = target == "/live";
        if (!page && target != "/fsuipc" && target != "/fsuipc/") {
            return Respond(http::status::not_found, "text/plain", "No socket here.\n");
        }
        Caller caller{std::string(request[http::field::host]),
                      std::string(request[http::field::origin]), true};
        if (page && !PageSocketAllowed(caller)) {
            return Respond(http::status::forbidden, "text/plain",
                           "The page's socket is for the page this server serves.\n");
        }
        stream.expires_never();
        server.Upgrade(stream.release_socket(), request, page);
        return;
    }
    if (request.method() != http::verb::get && request.method() != http::verb::head) {
        return Respond(http::status::method_not_allowed, "text/plain", "GET only.\n");
    }
    if (target == "/cockpit.json") {
        return Respond(http::status::ok, "application/json", JsonText(server.Layout()));
    }
    const EmbeddedFile* file = FindEmbeddedFile(target == "/" ? "/index.html" : target);
    if (file == nullptr) {
        return Respond(http::status::not_found, "text/plain", "Not found.\n");
    }
    Respond(http::status::ok, file->type, std::string(file->data));
}

void HttpSession::Respond(http::status status, std::string_view type, std::string body) {
    const Request& request = parser->get();
    response = std::make_shared<http::response<http::string_body>>(status, request.version());
    response->set(http::field::server, "Ulvo2FSUIPC");
    response->set(http::field::content_type, std::string(type));
    response->set(http::field::cache_control, "no-store");
    response->set("X-Content-Type-Options", "nosniff");
    // No other site may frame the page: a click there could send a command.
    response->set("X-Frame-Options", "DENY");
    response->set("Content-Security-Policy", "default-src 'self'; frame-ancestors 'none'");
    response->keep_alive(request.keep_alive());
    response->body() = request.method() == http::verb::head ? "" : std::move(body);
    response->prepare_payload();
    http::async_write(stream, *response,
                      [self = shared_from_this()](beast::error_code code, size_t) {
                          if (!code && self->response->keep_alive()) {
                              self->Read();
                          } else {
                              beast::error_code ignored;
                              self->stream.socket().shutdown(tcp::socket::shutdown_send, ignored);
                          }
                      });
}

}  // namespace

std::unique_ptr<WebServer> WebServer::Start(const WebServerSetup& setup, std::string& error) {
    auto server = std::make_unique<Server>(setup);
    if (!server->Listen(error)) {
        return nullptr;
    }
    return server;
}

}  // namespace ulvo::tools::web
