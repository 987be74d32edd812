#include <gtest/gtest.h>

#include "web/web_policy.h"

namespace ulvo::tools::web {
namespace {

TEST(WebPolicy, TakesItsSwitchesAndLeavesTheProgramsOwn) {
    std::vector<std::string> arguments = {"--interval",
                                          "100",
                                          "--web",
                                          "2050",
                                          "--web-lan",
                                          "--web-allow-origin",
                                          "HTTP://Panel.example:8080",
                                          "--once"};
    WebOptions options;
    EXPECT_EQ(TakeWebOptions(arguments, options), "");
    EXPECT_EQ(arguments, (std::vector<std::string>{"--interval", "100", "--once"}));
    EXPECT_TRUE(options.enabled && options.lan && !options.lanWrites);
    EXPECT_EQ(options.port, 2050);
    EXPECT_EQ(options.allowedOrigins, (std::vector<std::string>{"http://panel.example:8080"}));
    const struct {
        std::vector<std::string> arguments;
        const char* error;
    } refused[] = {
        {{"--web", "0"}, "--web takes a port from 1 to 65535"},
        {{"--web", "70000"}, "--web takes a port from 1 to 65535"},
        {{"--web", "--web-allow-origin", "panel.example"},
         "--web-allow-origin takes an origin such as http://panel.example:8080"},
        {{"--web-lan"}, "the --web-... switches go with --web"},
    };
    for (auto c : refused) {
        WebOptions ignored;
        EXPECT_EQ(TakeWebOptions(c.arguments, ignored), c.error);
    }
    std::vector<std::string> plain = {"--web"};
    WebOptions defaults;
    EXPECT_EQ(TakeWebOptions(plain, defaults), "");
    EXPECT_EQ(defaults.port, kDefaultWebPort);
}

TEST(WebPolicy, OnlyItsOwnNamesOwnPageAndNamedOriginsReachIt) {
    const std::vector<std::string> names = {"localhost", "127.0.0.1", "[::1]"};
    EXPECT_TRUE(HostAllowed("LocalHost:2048", 2048, names));
    EXPECT_TRUE(HostAllowed("[::1]:2048", 2048, names));
    EXPECT_FALSE(HostAllowed("localhost:2049", 2048, names));
    EXPECT_FALSE(HostAllowed("attacker.example:2048", 2048, names));  // a name rebound to us

    const Caller ownPage{"localhost:2048", "http://localhost:2048", true};
    const Caller foreign{"localhost:2048", "http://panel.example", true};
    const Caller script{"localhost:2048", "", true};
    const Caller tablet{"192.168.1.5:2048", "http://192.168.1.5:2048", false};
    EXPECT_TRUE(PageSocketAllowed(ownPage));
    EXPECT_FALSE(PageSocketAllowed(foreign));
    EXPECT_FALSE(PageSocketAllowed(script));

    WebOptions monitor;
    EXPECT_EQ(WriteRefusal(ownPage, monitor), "");
    EXPECT_EQ(WriteRefusal(script, monitor), "");
    EXPECT_EQ(WriteRefusal(foreign, monitor),
              "a page from http://panel.example may only read: start the program with "
              "--web-allow-origin http://panel.example to let it write");
    EXPECT_EQ(WriteRefusal(tablet, monitor),
              "writes from the network are off: start the program with --web-lan-write");
    monitor.allowedOrigins = {"http://panel.example"};
    monitor.lanWrites = true;
    EXPECT_EQ(WriteRefusal(foreign, monitor), "");
    EXPECT_EQ(WriteRefusal(tablet, monitor), "");
    WebOptions lab;
    lab.anyOriginWrites = true;
    EXPECT_EQ(WriteRefusal(foreign, lab), "");
}

TEST(WebPolicy, TheBannerWarnsWhenTheNetworkIsOpen) {
    WebOptions options;
    const std::vector<std::string> urls = {"http://localhost:2048/", "http://192.168.1.5:2048/"};
    EXPECT_EQ(WebBanner({urls[0]}, options),
              (std::vector<std::string>{"cockpit page: http://localhost:2048/   JSON offset "
                                        "protocol: ws://localhost:2048/fsuipc/"}));
    options.lan = true;
    const std::vector<std::string> lines = WebBanner(urls, options);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1],
              "WARNING: the web panel is open to the network. Anyone on it can read the offset "
              "block. Use it on a network you trust only.");
    EXPECT_EQ(lines[2], "on a tablet, open http://192.168.1.5:2048/");
}

}  // namespace
}  // namespace ulvo::tools::web
