// The web server's WebSocket sessions, included by web_server.cpp only (it keeps
// Boost.Beast in one translation unit): the base with its bounded send queue, the
// page's live socket and the JSON offset protocol's socket.
#pragma once

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>
#include <chrono>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "web/cockpit_page.h"
#include "web/json_session.h"
#include "web/web_policy.h"

namespace ulvo::tools::web {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;
using Request = http::request<http::string_body>;

// What the sessions need of the server; only ever used on the server's thread.
class SocketHost {
  public:
    virtual ~SocketHost() = default;
    virtual const WebServerSetup& Setup() const = 0;
    virtual OffsetSpace& ClientSpace() = 0;
    virtual std::shared_ptr<const SpaceImage> Image() = 0;
    virtual void GroupsChanged() = 0;
    virtual void Line(uint64_t client, std::string text) = 0;
    virtual const nlohmann::json& LabState() const = 0;
};

inline double NowMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class Socket : public std::enable_shared_from_this<Socket> {
  public:
    Socket(SocketHost& socketHost, tcp::socket&& socket, Caller socketCaller, uint64_t socketId)
        : host(socketHost), ws(std::move(socket)), caller(std::move(socketCaller)), id(socketId) {}
    virtual ~Socket() = default;

    void Accept(const Request& request, const std::string& protocol) {
        ws.set_option(websocket::stream_base::timeout::suggested(beast::role_type::server));
        ws.set_option(websocket::stream_base::decorator([protocol](websocket::response_type& r) {
            r.set(http::field::server, "Ulvo2FSUIPC");
            if (!protocol.empty()) {
                r.set(http::field::sec_websocket_protocol, protocol);
            }
        }));
        ws.read_message_max(host.Setup().maxFrameBytes);
        ws.async_accept(request, [self = shared_from_this()](beast::error_code error) {
            if (!error) {
                self->open = true;
                self->Opened();
                self->Read();
            }
        });
    }

    // Queues a message; a client with too many waiting is dropped.
    void Send(std::string text) {
        if (!open) {
            return;
        }
        if (queue.size() >= host.Setup().maxQueuedMessages) {
            Drop();
            return;
        }
        queue.push_back(std::move(text));
        if (!writing) {
            WriteNext();
        }
    }

    void Drop() {
        open = false;
        queue.clear();
        beast::error_code ignored;
        beast::get_lowest_layer(ws).socket().close(ignored);
    }

    bool Open() const { return open; }
    uint64_t Id() const { return id; }
    virtual void Published() = 0;
    virtual void Lab() {}
    virtual void Event(const std::string&) {}

  protected:
    virtual void Opened() = 0;
    virtual void Message(const std::string& text) = 0;
    // The queue ran empty: a session that coalesces sends what it held back.
    virtual void Drained() {}
    bool Writing() const { return writing; }

    SocketHost& host;
    websocket::stream<beast::tcp_stream> ws;
    Caller caller;

  private:
    void Read() {
        ws.async_read(buffer, [self = shared_from_this()](beast::error_code error, size_t) {
            if (error || !self->open) {
                // A frame past the limit ends here too: Beast has answered it with
                // close code 1009 ("message too big").
                self->open = false;
                return;
            }
            const std::string text = beast::buffers_to_string(self->buffer.data());
            self->buffer.consume(self->buffer.size());
            self->Message(text);
            self->Read();
        });
    }

    void WriteNext() {
        writing = true;
        ws.text(true);
        ws.async_write(asio::buffer(queue.front()),
                       [self = shared_from_this()](beast::error_code error, size_t) {
                           self->writing = false;
                           if (error || !self->open) {
                               self->Drop();
                               return;
                           }
                           self->queue.pop_front();
                           if (!self->queue.empty()) {
                               self->WriteNext();
                           } else {
                               self->Drained();
                           }
                       });
    }

    uint64_t id;
    beast::flat_buffer buffer;
    std::deque<std::string> queue;
    bool writing = false;
    bool open = false;
};

// The page's socket: the block's values as they change, coalesced while the page
// is still busy with the last message, and the page's clicks.
class PageSocket final : public Socket {
  public:
    using Socket::Socket;

    void Published() override {
        if (Open() && !Writing()) {
            SendValues();
        }
    }
    void Lab() override { Send(JsonText({{"kind", "lab"}, {"state", host.LabState()}})); }
    void Event(const std::string& text) override {
        Send(JsonText({{"kind", "event"}, {"text", text}}));
    }
    void Answer(bool ok, const std::string& text) {
        Send(JsonText({{"kind", "answer"}, {"ok", ok}, {"text", text}}));
    }

  private:
    void Opened() override {
        const WebServerSetup& setup = host.Setup();
        Send(JsonText({{"kind", "hello"},
                       {"program", setup.program},
                       {"version", setup.version},
                       {"lab", setup.lab},
                       {"readOnly", WriteRefusal(caller, setup.options)}}));
        if (setup.lab) {
            Lab();
        }
        SendValues();
    }

    void Drained() override { SendValues(); }

    void SendValues() {
        const std::shared_ptr<const SpaceImage> image = host.Image();
        if (!image->Known(kBlockFirst, kBlockSize)) {
            return;  // not read yet
        }
        BlockSnapshot now;
        std::copy_n(image->bytes.begin() + kBlockFirst, kBlockSize, now.bytes.begin());
        const nlohmann::json values = BlockValues(now, sent ? &*sent : nullptr);
        if (!values.empty()) {
            sent = now;
            Send(JsonText({{"kind", "values"}, {"values", values}}));
        }
    }

    void Message(const std::string& text) override {
        PageAction action = ParsePageAction(text);
        const std::string refusal = WriteRefusal(caller, host.Setup().options);
        if (!action.error.empty() || !refusal.empty()) {
            Answer(false, action.error.empty() ? refusal : action.error);
        } else if (action.kind == PageAction::Kind::kLine) {
            if (host.Setup().lab) {
                host.Line(Id(), action.line);
            } else {
                Answer(false, "only the panel lab takes lines");
            }
        } else {
            host.ClientSpace().Write(action.write);
            Answer(true, action.done);
        }
    }

    std::optional<BlockSnapshot> sent;
};

// The JSON offset protocol's socket.
class ProtocolSocket final : public Socket {
  public:
    ProtocolSocket(SocketHost& socketHost, tcp::socket&& socket, Caller socketCaller,
                   uint64_t socketId)
        : Socket(socketHost, std::move(socket), socketCaller, socketId),
          session(Options(socketHost.Setup(), socketCaller)) {}

    void Published() override {
        std::vector<std::string> replies;
        session.Due(host.ClientSpace(), NowMs(), replies);
        SendAll(replies);
    }
    std::vector<OffsetRange> Wanted() const { return session.Wanted(); }

  private:
    static JsonSessionOptions Options(const WebServerSetup& setup, const Caller& caller) {
        JsonSessionOptions options;
        options.writeRefusal = WriteRefusal(caller, setup.options);
        options.about = {
            {"product", "Ulvo2FSUIPC"}, {"program", setup.program}, {"version", setup.version}};
        return options;
    }
    void Opened() override {}
    void Message(const std::string& text) override {
        std::vector<std::string> replies;
        session.Handle(text, host.ClientSpace(), NowMs(), replies);
        host.GroupsChanged();
        SendAll(replies);
    }
    void SendAll(std::vector<std::string>& replies) {
        for (std::string& reply : replies) {
            Send(std::move(reply));
        }
    }

    JsonSession session;
};

}  // namespace ulvo::tools::web
