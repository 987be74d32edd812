#include "web/web_policy.h"

#include <algorithm>
#include <charconv>

namespace ulvo::tools::web {

namespace {

bool ParsePort(const std::string& text, uint16_t& port) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value == 0 || value > 65535) {
        return false;
    }
    port = uint16_t(value);
    return true;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// An origin as browsers send it: scheme, host and port, no path or slash.
bool OriginShape(const std::string& origin) {
    const size_t scheme = origin.find("://");
    return scheme != std::string::npos && scheme > 0 && origin.size() > scheme + 3 &&
           origin.find('/', scheme + 3) == std::string::npos;
}

// Takes the web switch at arguments[i] (and its value, moving i past it); false
// when arguments[i] is no web switch. `error` says what is wrong with one.
bool ParseWebOption(const std::vector<std::string>& arguments, size_t& i, WebOptions& options,
                    std::string& error) {
    const std::string& argument = arguments[i];
    if (argument == "--web") {
        options.enabled = true;
        if (i + 1 < arguments.size() && !arguments[i + 1].empty() &&
            std::isdigit(static_cast<unsigned char>(arguments[i + 1][0]))) {
            if (!ParsePort(arguments[++i], options.port)) {
                error = "--web takes a port from 1 to 65535";
            }
        }
    } else if (argument == "--web-lan" || argument == "--web-lan-write") {
        options.lan = true;
        options.lanWrites = options.lanWrites || argument == "--web-lan-write";
    } else if (argument == "--web-allow-origin") {
        if (i + 1 >= arguments.size() || !OriginShape(arguments[i + 1])) {
            error = "--web-allow-origin takes an origin such as http://panel.example:8080";
        } else {
            options.allowedOrigins.push_back(Lower(arguments[++i]));
        }
    } else {
        return false;
    }
    return true;
}

}  // namespace

std::string TakeWebOptions(std::vector<std::string>& arguments, WebOptions& options) {
    std::vector<std::string> rest;
    std::string error;
    for (size_t i = 0; i < arguments.size() && error.empty(); ++i) {
        if (!ParseWebOption(arguments, i, options, error)) {
            rest.push_back(arguments[i]);
        }
    }
    arguments = std::move(rest);
    if (error.empty() && !options.enabled && (options.lan || !options.allowedOrigins.empty())) {
        error = "the --web-... switches go with --web";
    }
    return error;
}

std::string WebUsage(bool lab) {
    return std::string(
               "  --web [PORT]          serve the cockpit page and the JSON offset protocol on\n"
               "                        http://localhost:PORT/ (default 2048)") +
           (lab ? "; pages of any web\n"
                  "                        site may write: nothing real is behind the lab\n"
                : "\n") +
           "  --web-lan             also serve the network: anyone on it can read the block\n"
           "  --web-lan-write       ... and write it (commands to the aircraft)\n" +
           (lab ? "" : "  --web-allow-origin URL  let panels served from URL write (repeatable)\n");
}

std::vector<std::string> WebBanner(const std::vector<std::string>& urls,
                                   const WebOptions& options) {
    std::vector<std::string> lines;
    const std::string& local = urls.front();
    lines.push_back("cockpit page: " + local + "   JSON offset protocol: ws" + local.substr(4) +
                    "fsuipc/");
    if (!options.lan) {
        return lines;
    }
    lines.push_back(
        "WARNING: the web panel is open to the network. Anyone on it can read the offset block" +
        std::string(options.lanWrites ? " and send the aircraft commands." : ".") +
        " Use it on a network you trust only.");
    for (size_t i = 1; i < urls.size(); ++i) {
        lines.push_back("on a tablet, open " + urls[i]);
    }
    if (urls.size() == 1) {
        lines.push_back("no network address of this computer was found: tablets cannot reach it");
    }
    return lines;
}

bool HostAllowed(const std::string& host, uint16_t port, const std::vector<std::string>& names) {
    const std::string wanted = Lower(host);
    const std::string suffix = ":" + std::to_string(port);
    for (const std::string& name : names) {
        // Browsers leave out the port when it is the scheme's default.
        if (wanted == Lower(name) + suffix || (port == 80 && wanted == Lower(name))) {
            return true;
        }
    }
    return false;
}

bool PageSocketAllowed(const Caller& caller) {
    return !caller.origin.empty() && Lower(caller.origin) == "http://" + Lower(caller.host);
}

std::string WriteRefusal(const Caller& caller, const WebOptions& options) {
    if (!caller.loopback && !options.lanWrites) {
        return "writes from the network are off: start the program with --web-lan-write";
    }
    if (caller.origin.empty() || options.anyOriginWrites || PageSocketAllowed(caller)) {
        return "";
    }
    const std::string origin = Lower(caller.origin);
    for (const std::string& allowed : options.allowedOrigins) {
        if (origin == allowed) {
            return "";
        }
    }
    return "a page from " + caller.origin +
           " may only read: start the program with --web-allow-origin " + caller.origin +
           " to let it write";
}

}  // namespace ulvo::tools::web
