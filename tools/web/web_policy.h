// Who may reach the web server and what they may do, and the command-line
// switches that change it. A web server beside the simulator can send the
// aircraft commands, so by default:
//   - it listens on the loopback address only; --web-lan opens it to the network,
//     where anyone can read the block, and --web-lan-write lets the network write;
//   - every request must name this server in its Host header, so a page of another
//     site cannot reach it through a name that resolves to this computer;
//   - the page's own socket takes only the page's own origin;
//   - the JSON protocol's endpoint takes any origin, but where a real aircraft is
//     behind it (the monitor) a page of another origin may only read unless the
//     user names that origin with --web-allow-origin. Programs that are not
//     browsers send no origin and may write, as they could through FSUIPC itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ulvo::tools::web {

constexpr uint16_t kDefaultWebPort = 2048;  // where panels for the JSON protocol look

struct WebOptions {
    bool enabled = false;
    uint16_t port = kDefaultWebPort;
    bool lan = false;
    bool lanWrites = false;
    std::vector<std::string> allowedOrigins;  // "http://panel.example:8080"
    // The lab: nothing real behind it, so pages of any origin may write.
    bool anyOriginWrites = false;
};

// Takes the web switches out of a program's arguments, leaving the others.
// Returns what is wrong with them; empty when nothing is.
std::string TakeWebOptions(std::vector<std::string>& arguments, WebOptions& options);
// The switches, for a usage text; in the `lab` any origin may write.
std::string WebUsage(bool lab = false);

// What the program prints when the server has started: where to open the page,
// and, with the network open, the warning that goes with it.
std::vector<std::string> WebBanner(const std::vector<std::string>& urls, const WebOptions& options);

// What a request says about itself.
struct Caller {
    std::string host;      // the Host header
    std::string origin;    // the Origin header; empty when there is none
    bool loopback = true;  // it came from this computer
};

// The names under which this server may be asked for: localhost, the loopback
// addresses and, with the network open, the addresses it prints for tablets.
bool HostAllowed(const std::string& host, uint16_t port, const std::vector<std::string>& names);
// The page's socket: only a page this server served.
bool PageSocketAllowed(const Caller& caller);
// Why this caller may only read; empty when it may write.
std::string WriteRefusal(const Caller& caller, const WebOptions& options);

}  // namespace ulvo::tools::web
