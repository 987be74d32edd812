// The plug-in's entry points and host callbacks, through the real DLL loaded by
// the testbed: registrations, the callbacks' interfaces and references, the
// messages without a handler, and a host that offers nothing.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/expected_log_lines.h"
#include "win/guid_text.h"
#include "win/testbed.h"

namespace ulvo::testbed {
namespace {

// The event service's registrations (or unregistrations) in order: event id, callback.
using Registration = std::pair<GUID, P3D::ICallbackV400*>;
std::vector<Registration> Registrations(const HostEventService& events, bool registered) {
    std::vector<Registration> found;
    for (const auto& record : events.Records()) {
        if (record.registered == registered) {
            found.emplace_back(record.eventId, record.callback);
        }
    }
    return found;
}

void ExpectNoReferenceLeft(const HostParty& host) {
    for (const auto& [object, outstanding] : host.OutstandingReferences()) {
        EXPECT_EQ(outstanding, 0) << object;
    }
    EXPECT_EQ(host.UnusedSlotCalls(), 0);
}

TEST(PluginShell, RegistersFourCallbacksAndGivesThemAndEveryServiceBackAtStop) {
    Testbed testbed;
    HostParty& host = testbed.host;
    ASSERT_TRUE(testbed.plugin.LoadAndStart());
    const std::vector<Registration> registered = Registrations(host.events, true);
    auto under = [&](const GUID& id) {  // the registration under `id`
        for (const Registration& entry : registered) {
            if (entry.first == id) {
                return entry;
            }
        }
        return Registration{id, nullptr};
    };
    EXPECT_EQ(registered,
              (std::vector<Registration>{under(kOneSecondEvent), under(kFrameEvent),
                                         under(kCustomRenderEvent), under(kMessageEvent)}));
    // One reference per offered service while the plug-in runs; on the event
    // service only while registering.
    for (long held :
         {host.provider.Outstanding(), host.events.Outstanding(), host.vehicles.Outstanding(),
          host.reporting.Outstanding(), host.namedVariables.Outstanding()}) {
        EXPECT_EQ(held, 1);
    }
    host.DeliverMessage(P3D::kMessageLoadingComplete);
    host.DeliverOneSecond();
    host.DeliverMessage(P3D::kMessageShutdown);
    EXPECT_TRUE(Registrations(host.events, false).empty());
    EXPECT_EQ(host.vehicle.AddRefs(), 1);

    testbed.plugin.Stop();
    // Each callback is unregistered under the id it was registered with.
    EXPECT_EQ(Registrations(host.events, false),
              (std::vector<Registration>{under(kCustomRenderEvent), under(kOneSecondEvent),
                                         under(kMessageEvent), under(kFrameEvent)}));
    EXPECT_EQ(testbed.plugin.CallbacksLeftRegistered(), 0u);
    // The host's release was the last one: the plug-in gave back its own.
    EXPECT_EQ(testbed.plugin.FinalCallbackCounts(), (std::vector<ULONG>{0, 0, 0, 0}));
    testbed.plugin.Unload();
    ExpectNoReferenceLeft(host);
}

TEST(PluginShell, ACallbackAnswersOnlyTheCallbackInterfaceAndIUnknown) {
    Testbed testbed;
    ASSERT_TRUE(testbed.plugin.LoadAndStart());
    P3D::ICallbackV400* callback = Registrations(testbed.host.events, true).at(3).second;
    const struct {
        const wchar_t* iid;
        HRESULT result;
    } cases[] = {
        {L"AEF008CE-84D1-4A54-B136-04DCB4FAFD22", S_OK},           // the callback interface
        {L"00000000-0000-0000-C000-000000000046", S_OK},           // IUnknown
        {L"075551E8-0885-4711-9F7F-A6EB6A61DA6C", E_NOINTERFACE},  // the parameter list
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::wstring(c.iid).c_str());
        const ULONG before = callback->AddRef();
        callback->Release();
        void* out = &out;  // must be overwritten either way
        EXPECT_EQ(callback->QueryInterface(GuidFromText(c.iid), &out), c.result);
        const ULONG after = callback->AddRef();
        callback->Release();
        EXPECT_EQ(out, c.result == S_OK ? static_cast<void*>(callback) : nullptr);
        EXPECT_EQ(after, before + (c.result == S_OK ? 1 : 0));
        if (c.result == S_OK) {
            callback->Release();
        }
    }
    testbed.plugin.StopAndUnload();
    EXPECT_EQ(testbed.plugin.FinalCallbackCounts(), (std::vector<ULONG>{0, 0, 0, 0}));
}

TEST(PluginShell, MessagesWithoutAHandlerAndTheOtherCallbacksDoNothing) {
    Testbed testbed;
    ASSERT_TRUE(testbed.plugin.LoadAndStart());
    const UINT64 ignored[] = {
        P3D::kMessageAllDllsLoaded,
        P3D::kMessageViewModeChanged,
        P3D::kMessageViewCreated,
        P3D::kMessageViewDestroyed,
        0,
        406,
        579,
        (UINT64{1} << 32) | P3D::kMessageLoadingComplete,  // the whole 64 bits are the id
        (UINT64{1} << 63) | P3D::kMessageShutdown};
    // Before the start message the one-second step has nothing to do either.
    auto deliverIgnored = [&](bool oneSecond) {
        for (const UINT64 id : ignored) {
            testbed.host.DeliverMessage(id);
        }
        if (oneSecond) {
            testbed.host.DeliverOneSecond();
        }
        testbed.host.DeliverFrame();
        testbed.host.DeliverCustomRender();
    };

    deliverIgnored(true);
    EXPECT_EQ(GetFileAttributesW(testbed.plugin.LogPath().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(testbed.host.vehicle.AddRefs(), 0);

    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    const std::string started = testbed.plugin.ReadLog();
    deliverIgnored(false);
    EXPECT_EQ(testbed.plugin.ReadLog(), started);
    testbed.host.DeliverMessage(P3D::kMessageShutdown);
    EXPECT_EQ(testbed.plugin.ReadLog(), started + kConnectionsClosed + kLogClosed);
    testbed.plugin.StopAndUnload();
    ExpectNoReferenceLeft(testbed.host);
}

TEST(PluginShell, AProviderWhoseQueriesAllFailGetsNoRegistrationAndAStopWithoutHarm) {
    TestbedOptions options;
    options.host.queriesFail = true;
    Testbed testbed(options);
    ASSERT_TRUE(testbed.plugin.LoadAndStart());
    EXPECT_EQ(testbed.host.provider.queries.size(), 21u);  // one per slot of the holder
    EXPECT_TRUE(testbed.host.events.Records().empty());
    EXPECT_EQ(testbed.host.events.AddRefs(), 0);
    EXPECT_EQ(testbed.host.provider.Outstanding(), 1);  // slot 0 only
    testbed.host.DeliverMessage(P3D::kMessageLoadingComplete);
    testbed.plugin.StopAndUnload();
    EXPECT_TRUE(testbed.host.events.Records().empty());
    EXPECT_TRUE(testbed.plugin.ReadLog().empty());
    ExpectNoReferenceLeft(testbed.host);
}

}  // namespace
}  // namespace ulvo::testbed
