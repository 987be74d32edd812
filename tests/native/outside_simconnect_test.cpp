#include "panel_lab/outside_simconnect.h"

#include <gtest/gtest.h>

#include "core/memory_configuration.h"

namespace ulvo::tools {
namespace {

using simconnect::ConfigFolder;

TEST(OutsideSimConnect, OnlyTheUsualLocalPipeKeepsThePluginInTheLab) {
    testbed::MemoryConfiguration none;
    EXPECT_EQ(OutsideSimConnect(none), "");
    testbed::MemoryConfiguration local;
    local.Set(ConfigFolder::Documents, L"SimConnect", L"Protocol", L"Auto");
    local.Set(ConfigFolder::CurrentDirectory, L"SimConnect", L"Address", L".");
    local.Set(ConfigFolder::PublicDocuments, L"SimConnect.1", L"Address", L"10.0.0.5");
    EXPECT_EQ(OutsideSimConnect(local), "");

    // The entries in force are named with their files, a later file over an earlier one.
    testbed::MemoryConfiguration remote;
    remote.Set(ConfigFolder::PublicDocuments, L"SimConnect", L"Address", L"192.168.1.20");
    remote.Set(ConfigFolder::Documents, L"SimConnect", L"Protocol", L"IPv4");
    remote.Set(ConfigFolder::CurrentDirectory, L"SimConnect", L"Address", L"10.0.0.5");
    const std::string said = OutsideSimConnect(remote);
    EXPECT_EQ(said.find("192.168"), std::string::npos) << said;
    EXPECT_EQ(said.rfind("the plug-in's SimConnect client would not connect to the lab: "
                         "D:\\SimConnect.cfg [SimConnect] Protocol=IPv4; C:\\SimConnect.cfg "
                         "[SimConnect] Address=10.0.0.5. ",
                         0),
              0u)
        << said;

    testbed::MemoryConfiguration pipe;
    pipe.Set(ConfigFolder::Documents, L"SimConnect", L"Port", L"Other Sim Pipe");
    EXPECT_NE(OutsideSimConnect(pipe).find("Port=Other Sim Pipe"), std::string::npos);
}

}  // namespace
}  // namespace ulvo::tools
