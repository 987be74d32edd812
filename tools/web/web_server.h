// The web server of the monitor and the panel lab: the cockpit page and its live
// socket (/live), the cockpit's layout (/cockpit.json) and the JSON offset
// protocol (/fsuipc/). It runs on a thread of its own; the program's thread that
// owns FSUIPC feeds it through Space().Exchange and, in the lab, PublishLab and
// Event, and carries out the lines the page sends (TakeLines, Answer).
//
// Every client has a bounded queue: a page that falls behind gets the newest
// values in one message instead of every change, and a protocol client that stops
// reading is dropped, so neither slows the others or the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "web/shared_space.h"
#include "web/web_policy.h"

namespace ulvo::tools::web {

struct WebServerSetup {
    WebOptions options;
    std::string program;  // "ulvo-monitor", "ulvo-panel-lab"
    std::string version;
    bool lab = false;  // the page shows the lab's doors and jetway and takes its lines
    size_t maxFrameBytes = 64 * 1024;  // a larger message closes the socket (1009)
    size_t maxQueuedMessages = 256;    // a client with more waiting is dropped
    size_t maxClients = 200;
};

// A line the page sent (the lab's scenario lines), to be answered by id.
struct PageLine {
    uint64_t client = 0;
    std::string text;
};

class WebServer {
  public:
    // Listens and starts the server's thread; null with `error` saying why not.
    static std::unique_ptr<WebServer> Start(const WebServerSetup& setup, std::string& error);
    virtual ~WebServer() = default;

    // The addresses to open, for the user: "http://localhost:2048/" and, with the
    // network open, one per address of this computer.
    virtual std::vector<std::string> Urls() const = 0;
    virtual uint16_t Port() const = 0;  // the one asked for, or the one found for port 0
    virtual SharedSpace& Space() = 0;
    // The lab's state beside the block ({"doors": [...], "jetway": {...}}).
    virtual void PublishLab(nlohmann::json state) = 0;
    // Something that happened, shown on the page ("command 1298 level up = 0").
    virtual void Event(std::string text) = 0;
    virtual std::vector<PageLine> TakeLines() = 0;
    virtual void Answer(uint64_t client, bool ok, std::string text) = 0;
    virtual size_t Clients() const = 0;
};

}  // namespace ulvo::tools::web
